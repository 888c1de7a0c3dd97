-- A few documents, each showing one thing the report must get right. The
-- Search in the tests asks for everything issued and paid up to 2024-06-15.
insert into moneda (moneda, den_moneda, lim_sup_reg_inc_pl, discontinued) values
    ('EUR', 'Euro', 10000, false),
    ('LEI', 'Leu', 5000, false),
    ('USD', 'Dolar', null, true);

-- EUR at the Search's day 4.95, at the end of its month 5.00.
insert into curs_valutar (moneda, data, curs) values
    ('EUR', '2024-06-14', 4.95),
    ('EUR', '2024-06-28', 5.00);

insert into partener (partener, data_ins, da_nu_persoana_juridica, judet) values
    ('Alfa SRL', '2019-03-04', true, 'Cluj'),
    ('Beta PF', '2021-11-30', false, 'Iasi');

insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, data_doc,
                          data_scadenta, moneda, curs, val_mon, emitent) values
    -- 600 of 1000 open, 15 days overdue.
    ('Alfa SRL', true, 'FCT', 'factura', 'A1', '2024-05-02', '2024-05-31', 'LEI', 1, 1000, 'ana'),
    -- Paid in full: not in the report.
    ('Alfa SRL', true, 'FCT', 'factura', 'A2', '2024-05-03', '2024-05-31', 'LEI', 1, 300, 'ana'),
    -- An advance we received: negative, still in the report.
    ('Beta PF', false, 'AVS', 'avans', 'B1', '2024-04-10', '2024-04-10', 'LEI', 1, -250, 'ana'),
    -- 200 EUR, 45 days overdue, partner no longer in the partner table and
    -- no receivable/payable mark.
    ('Gama SA', null, 'FCT', 'factura', 'G1', '2024-03-01', '2024-05-01', 'EUR', 4.9, 200, 'ana');

insert into incasare_plata (id_doc, data, suma_mon)
    select id_doc, date '2024-06-01', 400 from doc_partener where nr_doc = 'A1'
    union all
    select id_doc, date '2024-06-02', 300 from doc_partener where nr_doc = 'A2';

insert into data_list (data_incep, data_sf, data_incep_f, data_sf_f, data_incep_bal, data_sf_bal,
                       moneda_raportare, curs_raportare) values
    ('2024-01-01', '2024-01-31', '2024-02-01', '2024-02-29', '2023-01-01', '2023-12-31', 'USD', 3);
