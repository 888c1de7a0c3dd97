-- Demo rows for a company database made with company.sql. Every date is
-- counted from the day the script runs, so the aging stays meaningful: about
-- 800 days of documents in LEI, EUR and USD, most old ones settled, some
-- partly paid, and open balances in every overdue bucket.
-- The values are spread by fixed arithmetic, not at random, so that every
-- load gives the same picture.

insert into moneda (moneda, den_moneda, lim_sup_reg_inc_pl, discontinued) values
    ('DEM', 'Marca germana', null, true),
    ('EUR', 'Euro', 2000.00, false),
    ('GBP', 'Lira sterlina', 2000.00, false),
    ('LEI', 'Leu romanesc', 10000.00, false),
    ('USD', 'Dolar american', 2000.00, false);

-- Daily rates for 900 days back, gently swinging.
insert into curs_valutar (moneda, data, curs)
select m.moneda, current_date - d,
       round((m.base + m.swing * sin(d / m.period))::numeric, 4)
from (values ('EUR', 4.95, 0.04, 37.0), ('USD', 4.55, 0.12, 53.0), ('GBP', 5.70, 0.10, 41.0))
         as m (moneda, base, swing, period)
cross join generate_series(0, 900) as d;

-- The mark was withdrawn long ago: its last rate stands.
insert into curs_valutar (moneda, data, curs) values ('DEM', current_date - 900, 2.5400);

insert into partener (partener, data_ins, da_nu_persoana_juridica, cod_cci, tara, localit, judet,
                      gr_partener, da_nu_holding)
select p.partener, current_date - (p.nr * 97) % 2900, p.juridica,
       case when p.juridica then 'RO' || (14000000 + p.nr * 7919) end,
       p.tara, p.localit, p.judet, p.grupa, p.nr % 11 = 0
from (values
    (1, 'Agrozootehnica Baraganului SA', true, 'RO', 'Slobozia', 'Ialomita', 'Clienti'),
    (2, 'Alfa Distributie SRL', true, 'RO', 'Bucuresti', 'Bucuresti', 'Clienti'),
    (3, 'Banat Logistic SRL', true, 'RO', 'Timisoara', 'Timis', 'Furnizori'),
    (4, 'Bucovina Lemn SRL', true, 'RO', 'Suceava', 'Suceava', 'Furnizori'),
    (5, 'Carpati Construct SA', true, 'RO', 'Brasov', 'Brasov', 'Clienti'),
    (6, 'Cerealcom Dolj SA', true, 'RO', 'Craiova', 'Dolj', 'Clienti'),
    (7, 'Clujana Impex SRL', true, 'RO', 'Cluj-Napoca', 'Cluj', 'Clienti si furnizori'),
    (8, 'Dacia Service Auto SRL', true, 'RO', 'Pitesti', 'Arges', 'Furnizori'),
    (9, 'Delta Pescaria SRL', true, 'RO', 'Tulcea', 'Tulcea', 'Clienti'),
    (10, 'Dunarea Transport SA', true, 'RO', 'Galati', 'Galati', 'Furnizori'),
    (11, 'Electrica Furnizare SA', true, 'RO', 'Bucuresti', 'Bucuresti', 'Furnizori'),
    (12, 'Fabrica de Pâine Ștefănești SRL', true, 'RO', 'Ștefănești', 'Arges', 'Clienti'),
    (13, 'Hansa Maschinenbau GmbH', true, 'DE', 'Hamburg', null, 'Furnizori'),
    (14, 'Ionescu Maria', false, 'RO', 'Iasi', 'Iasi', 'Clienti'),
    (15, 'Iasi Textil SA', true, 'RO', 'Iasi', 'Iasi', 'Clienti'),
    (16, 'Lactate Harghita SRL', true, 'RO', 'Miercurea Ciuc', 'Harghita', 'Clienti'),
    (17, 'Maramures Mobila SRL', true, 'RO', 'Baia Mare', 'Maramures', 'Clienti si furnizori'),
    (18, 'Moldova Vin SRL', true, 'RO', 'Husi', 'Vaslui', 'Clienti'),
    (19, 'Muntenia Agro SRL', true, 'RO', 'Ploiesti', 'Prahova', 'Clienti'),
    (20, 'Oltenia Energie SA', true, 'RO', 'Targu Jiu', 'Gorj', 'Furnizori'),
    (21, 'Popescu Ion', false, 'RO', 'Constanta', 'Constanta', 'Clienti'),
    (22, 'Rapid Curier SRL', true, 'RO', 'Bucuresti', 'Bucuresti', 'Furnizori'),
    (23, 'Retezat Turism SRL', true, 'RO', 'Deva', 'Hunedoara', 'Clienti'),
    (24, 'Sibiu Industrial SA', true, 'RO', 'Sibiu', 'Sibiu', 'Clienti si furnizori'),
    (25, 'Somes Hartie SA', true, 'RO', 'Dej', 'Cluj', 'Furnizori'),
    (26, 'Tarnava Sticla SA', true, 'RO', 'Medias', 'Sibiu', 'Clienti'),
    (27, 'Tehnoplast Arad SRL', true, 'RO', 'Arad', 'Arad', 'Furnizori'),
    (28, 'Transilvania Foods SRL', true, 'RO', 'Targu Mures', 'Mures', 'Clienti'),
    (29, 'Tulip Trading Inc', true, 'US', 'Chicago', null, 'Clienti'),
    (30, 'Vâlcea Chim SA', true, 'RO', 'Râmnicu Vâlcea', 'Valcea', 'Furnizori'),
    (31, 'Vrancea Vinuri SRL', true, 'RO', 'Focsani', 'Vrancea', 'Clienti'),
    (32, 'Zarand Agricola SRL', true, 'RO', 'Brad', 'Hunedoara', 'Clienti si furnizori'))
    as p (nr, partener, juridica, tara, localit, judet, grupa);

insert into emitent (emitent, emitent_corect, este_emitent, este_operator, operator_parola,
                     moneda, functie, eu_punct_lucru, loc, lang, discontinued, data_ins)
values
    ('ana', 'Ana Dumitrescu', true, true, 'ana123', 'LEI', 'Contabil sef', 'Sediu central',
     'Bucuresti', 'ro', false, current_date - 1200),
    ('ion', 'Ion Marinescu', true, true, 'ion123', 'LEI', 'Economist', 'Punct de lucru Cluj',
     'Cluj-Napoca', 'ro', false, current_date - 800),
    ('vasile', 'Vasile Georgescu', true, true, 'vasile123', 'LEI', 'Contabil', 'Sediu central',
     'Bucuresti', 'ro', true, current_date - 3000);

insert into aplicatie_mob (aplicatie_mob, activ) values ('wTalvor', true), ('vekMobil', true);

insert into data_list (data_incep, data_sf, data_sf_f, moneda_raportare, curs_raportare)
values (date_trunc('year', current_date), date_trunc('month', current_date), current_date,
        'Lei', 1);

-- The documents: partner, kind and currency follow the document number n.
-- Receivables go to clients, payables to suppliers, both to partners who are
-- both; every 41st document is an advance (negative value).
with partner as (
    select row_number() over (order by partener) as nr, partener, gr_partener from partener
),
spread as (
    select n,
           1 + (n * 37) % 32 as partner_nr,
           (n * 613) % 800 as age,
           (array[15, 30, 45, 60])[1 + n % 4] as term,
           case when n % 20 < 12 then 'LEI' when n % 20 < 17 then 'EUR' else 'USD' end as moneda,
           n % 41 = 0 as advance
    from generate_series(1, 420) as n
),
doc as (
    select s.*, p.partener,
           case p.gr_partener when 'Clienti' then true when 'Furnizori' then false
                else s.n % 2 = 0 end as receivable
    from spread s
    join partner p on p.nr = s.partner_nr
)
insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, data_doc,
                          data_scadenta, moneda, curs, val_mon, loc, eu_punct_lucru, com_int,
                          conts_doc, conta_doc, comisionar, emitent)
select d.partener, d.receivable,
       case when d.receivable then 'FCL' else 'FFZ' end || case when d.advance then 'AV' else '' end,
       case when d.advance then 'avans' else 'factura' end,
       case when d.receivable then 'TLV' || lpad(d.n::text, 6, '0')
            else 'F' || (d.n * 7321) % 100000 end,
       current_date - d.age,
       current_date - d.age + d.term,
       d.moneda,
       1,
       (case when d.advance then -1 else 1 end)
           * round((case when d.moneda = 'LEI' then 300 + (d.n * 7717) % 24000
                         else 50 + (d.n * 3301) % 5000 end + (d.n % 100) / 100.0)::numeric, 2),
       case when d.n % 3 = 0 then 'Cluj-Napoca' else 'Bucuresti' end,
       case when d.n % 3 = 0 then 'Punct de lucru Cluj' else 'Sediu central' end,
       'CMD-' || (d.n % 50),
       case when d.receivable then case when d.advance then '419' else '4111' end
            else case when d.advance then '409' else '401' end end,
       case when d.receivable then '4111.' else '401.' end || d.partner_nr,
       (array['Radu Stan', 'Elena Pop', null])[1 + d.n % 3],
       case when d.n % 3 = 0 then 'ion' else 'ana' end
from doc d;

-- Documents that the demo shows on purpose: one open balance in every bucket,
-- a partner no longer in the partner list, an unknown direction, and the
-- discontinued currency.
insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, data_doc,
                          data_scadenta, moneda, curs, val_mon, loc, eu_punct_lucru,
                          conts_doc, conta_doc, emitent)
select b.partener, b.receivable, 'FCL', 'factura', b.nr_doc,
       current_date - b.overdue - 30, current_date - b.overdue, b.moneda, 1, b.val_mon,
       'Bucuresti', 'Sediu central', case when b.receivable is false then '401' else '4111' end,
       case when b.receivable is false then '401.99' else '4111.99' end, 'ana'
from (values
    ('Alfa Distributie SRL', true, 'TLV900001', -10, 'LEI', 1250.00),
    ('Alfa Distributie SRL', true, 'TLV900002', 15, 'LEI', 2300.50),
    ('Carpati Construct SA', true, 'TLV900003', 45, 'EUR', 980.00),
    ('Carpati Construct SA', true, 'TLV900004', 75, 'LEI', 4100.00),
    ('Moldova Vin SRL', true, 'TLV900005', 120, 'USD', 640.25),
    ('Moldova Vin SRL', true, 'TLV900006', 200, 'LEI', 3333.33),
    ('Retezat Turism SRL', true, 'TLV900007', 300, 'EUR', 1500.00),
    ('Retezat Turism SRL', true, 'TLV900008', 500, 'LEI', 870.00),
    ('Vrancea Vinuri SRL', true, 'TLV900009', 760, 'LEI', 5600.00),
    ('SC Fost Partener SRL', true, 'TLV900010', 95, 'LEI', 1999.99),
    ('Sibiu Industrial SA', null, 'TLV900011', 20, 'LEI', 450.00),
    ('Hansa Maschinenbau GmbH', false, 'HM-1998', 770, 'DEM', 12000.00))
    as b (partener, receivable, nr_doc, overdue, moneda, val_mon);

-- Each document carries the rate of its currency on its issue day.
update doc_partener d
set curs = (select c.curs from curs_valutar c
            where c.moneda = d.moneda and c.data <= d.data_doc
            order by c.data desc limit 1)
where d.moneda <> 'LEI';

-- Settlements follow the document number too: half settled in full (some in
-- two parts), one in five partly paid, the rest still open. Nothing is paid
-- before its document or after today, and the documents shown on purpose
-- stay open.
with settled as (
    select d.id_doc, d.val_mon, d.data_doc, d.data_scadenta, d.id_doc % 10 as k
    from doc_partener d
    where d.nr_doc not like 'TLV9%' and d.nr_doc <> 'HM-1998'
),
part as (
    select id_doc, data_doc, data_scadenta + (id_doc % 7)::int - 3 as data,
           case when k = 0 then round(val_mon / 2, 2)
                when k < 5 then val_mon
                else round(val_mon * 0.4, 2) end as suma_mon
    from settled where k < 7
    union all
    select id_doc, data_doc, data_scadenta + 20, val_mon - round(val_mon / 2, 2)
    from settled where k = 0
)
insert into incasare_plata (id_doc, data, suma_mon)
select id_doc, least(greatest(data, data_doc), current_date), suma_mon
from part;
