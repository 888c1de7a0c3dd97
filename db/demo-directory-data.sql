-- Demo rows for the directory database made with directory.sql. Run with
-- psql -v port=PORT: the demo companies live on the same local server.
--   "Demo Company"     its users may use wTalvor
--   "Second Company"   a copy of the first, where wTalvor is not enabled
--   "Archived Company" marked inactive here, which the login does not test

insert into m_firma (nume_firma, ip, port, db_name, activ) values
    ('Demo Company', '127.0.0.1', :port, 'vek_demo1', true),
    ('Second Company', '127.0.0.1', :port, 'vek_demo2', true),
    ('Archived Company', '127.0.0.1', :port, 'vek_demo1', false);
