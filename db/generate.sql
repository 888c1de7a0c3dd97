-- Fills an empty company database (made with company.sql) with a large,
-- realistic load for benchmarks: the number of documents comes from the
-- setting wtalvor.documents (set it in the same session first, e.g.
-- "set wtalvor.documents = 1000000"). About one partner per 200 documents,
-- partners with very different numbers of documents, six currencies with
-- daily rates, documents over four years, older ones more often settled.
-- Set-based throughout: a million documents take seconds, not minutes.
-- Fixed random seed, so that two loads of one size are alike.

create temporary table generated_size as
select current_setting('wtalvor.documents')::integer as documents,
       greatest(50, current_setting('wtalvor.documents')::integer / 200) as partners,
       1500 as days;

do $$ begin perform setseed(0.2021); end $$;

insert into moneda (moneda, den_moneda, lim_sup_reg_inc_pl, discontinued) values
    ('CHF', 'Franc elvetian', 2000.00, false),
    ('DEM', 'Marca germana', null, true),
    ('EUR', 'Euro', 2000.00, false),
    ('GBP', 'Lira sterlina', 2000.00, false),
    ('LEI', 'Leu romanesc', 10000.00, false),
    ('USD', 'Dolar american', 2000.00, false);

insert into curs_valutar (moneda, data, curs)
select m.moneda, current_date - d, round((m.base + m.swing * sin(d / m.period))::numeric, 4)
from (values ('EUR', 4.95, 0.04, 37.0), ('USD', 4.55, 0.12, 53.0), ('GBP', 5.70, 0.10, 41.0),
             ('CHF', 5.10, 0.08, 47.0)) as m (moneda, base, swing, period)
cross join generated_size s
cross join generate_series(0, s.days + 100) as d;
insert into curs_valutar (moneda, data, curs) values ('DEM', current_date - 2000, 2.5400);

insert into partener (partener, data_ins, da_nu_persoana_juridica, cod_cci, tara, localit, judet,
                      gr_partener, da_nu_holding)
select (array['Agro', 'Alfa', 'Banat', 'Carpati', 'Delta', 'Dunarea', 'Euro', 'Mega', 'Nord',
              'Olt', 'Prima', 'Tehno', 'Trans', 'Univers', 'Vest'])[1 + i % 15]
           || ' ' || (array['Impex', 'Trading', 'Construct', 'Distributie', 'Logistic', 'Service',
                            'Industrial', 'Comert'])[1 + (i / 15) % 8]
           || ' ' || i || ' SRL',
       current_date - (random() * 4000)::integer,
       random() > 0.05,
       'RO' || (10000000 + i),
       case when random() < 0.95 then 'RO' else 'DE' end,
       (array['Bucuresti', 'Cluj-Napoca', 'Iasi', 'Timisoara', 'Constanta', 'Brasov'])[1 + i % 6],
       (array['Bucuresti', 'Cluj', 'Iasi', 'Timis', 'Constanta', 'Brasov'])[1 + i % 6],
       (array['Clienti', 'Clienti', 'Clienti', 'Furnizori', 'Clienti si furnizori'])[1 + i % 5],
       random() < 0.02
from generated_size s
cross join generate_series(1, s.partners) as i;

-- Partner numbers are skewed (a few partners hold many documents); one in a
-- thousand documents names a partner that is not in the partner list.
create temporary table generated_doc as
select d,
       case when random() < 0.001 then null
            else 1 + floor(power(random(), 2) * s.partners)::integer end as partner_nr,
       floor(power(random(), 1.5) * s.days)::integer as age,
       (array[0, 15, 30, 30, 45, 60, 90])[1 + floor(random() * 7)::integer] as term,
       (array['LEI', 'LEI', 'LEI', 'LEI', 'LEI', 'LEI', 'LEI', 'EUR', 'EUR', 'USD', 'GBP',
              'CHF'])[1 + floor(random() * 12)::integer] as moneda,
       random() as value_draw,
       random() as kind_draw
from generated_size s
cross join generate_series(1, s.documents) as d;

with partner as (
    select row_number() over (order by partener) as nr, partener, gr_partener from partener
)
insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, data_doc,
                          data_scadenta, moneda, curs, val_mon, loc, eu_punct_lucru, com_int,
                          conts_doc, conta_doc, comisionar, emitent)
select coalesce(p.partener, 'Partener radiat ' || g.d % 97),
       case when g.kind_draw < 0.0002 then null
            when p.gr_partener = 'Furnizori' then false
            when p.gr_partener = 'Clienti si furnizori' then g.d % 2 = 0
            else true end,
       case when g.kind_draw < 0.02 then 'AV' else 'FC' end,
       case when g.kind_draw < 0.02 then 'avans' else 'factura' end,
       'D' || g.d,
       current_date - g.age,
       current_date - g.age + g.term,
       g.moneda,
       coalesce(c.curs, 1),
       (case when g.kind_draw < 0.02 then -1 else 1 end)
           * round((exp(g.value_draw * 9) * 5)::numeric, 2),
       (array['Bucuresti', 'Cluj-Napoca', 'Iasi'])[1 + g.d % 3],
       (array['Sediu central', 'Punct de lucru Cluj', 'Punct de lucru Iasi'])[1 + g.d % 3],
       'CMD-' || g.d % 500,
       case when p.gr_partener = 'Furnizori' then '401' else '4111' end,
       case when p.gr_partener = 'Furnizori' then '401.' else '4111.' end || coalesce(g.partner_nr, 0),
       (array['Radu Stan', 'Elena Pop', 'Mihai Ilie', null])[1 + g.d % 4],
       (array['ana', 'ion'])[1 + g.d % 2]
from generated_doc g
left join partner p on p.nr = g.partner_nr
-- A document carries its currency's rate on its issue day (every day has one).
left join curs_valutar c on c.moneda = g.moneda and c.data = current_date - g.age;

-- The older a document, the likelier it is settled: in full (now and then in
-- two parts) or in part; payments fall around the due day, never after today.
create temporary table generated_settlement as
select d.id_doc, d.val_mon, d.data_doc, d.data_scadenta, random() as draw,
       (current_date - d.data_doc) as age
from doc_partener d;

insert into incasare_plata (id_doc, data, suma_mon)
select id_doc,
       least(current_date, greatest(data_doc, data_scadenta + (random() * 40)::integer - 20)),
       case when draw < 0.1 then round(val_mon / 2, 2)
            when draw < 0.55 + least(age, 720) / 2000.0 then val_mon
            else round(val_mon * 0.3, 2) end
from generated_settlement
where draw < 0.70 + least(age, 720) / 3000.0
union all
select id_doc, least(current_date, data_scadenta + 30), val_mon - round(val_mon / 2, 2)
from generated_settlement
where draw < 0.1;

insert into emitent (emitent, emitent_corect, este_emitent, este_operator, operator_parola,
                     moneda, eu_punct_lucru, discontinued)
values ('ana', 'Ana Dumitrescu', true, true, 'ana123', 'LEI', 'Sediu central', false),
       ('ion', 'Ion Marinescu', true, true, 'ion123', 'LEI', 'Punct de lucru Cluj', false);

insert into aplicatie_mob (aplicatie_mob, activ) values ('wTalvor', true);

insert into data_list (data_incep, data_sf, data_sf_f, moneda_raportare, curs_raportare)
values (date_trunc('year', current_date), current_date, current_date, 'Lei', 1);

drop table generated_size, generated_doc, generated_settlement;

analyze;
