-- Corvane suite database, SQLite.
--
-- Runs on every open of a database (suite::InstallSchema), so every statement is
-- idempotent. Conventions shared with postgres.sql:
--   * unquoted identifiers only, so "rp_bankrecp_RP", "GL_accvouch", "cCode" all work;
--   * text keys (account and book codes, settlement styles and numbers, flow ids,
--     voucher signs) compare by the one key rule (platform::TextKey): collate ci,
--     the ICU collation the layer registers on every open, as PostgreSQL's ci;
--   * dates are declared date and hold 'YYYY-MM-DD' text (no time part), so range
--     conditions include their end day; the layer hands them back as dates;
--   * money is declared money and holds a whole count of ten-thousandths (an
--     integer), so every sum and comparison in SQL is exact; the layer binds and
--     reads it as platform::Money;
--   * each column's CHECK refuses what PostgreSQL's type refuses: a value of the
--     wrong kind, a smallint or integer out of range, a text longer than its
--     varchar, a date that is no calendar day. The declared types stay (the
--     tables are not STRICT, which would allow only integer/text/real) because
--     the layer reads dates and money by them;
--   * flags are small integers 0/1; bdelete is never NULL so new lines stay visible;
--   * every table has a single-column primary key, which the recordset uses to
--     write a changed row back (natural keys of two columns are unique indexes).

-- Chart of accounts. Bank accounts are the leaves with be=1 and bend=1.
create table if not exists code (
  ccode        varchar(40) collate ci not null primary key check (length(ccode) <= 40),
  ccode_name   varchar(200) check (length(ccode_name) <= 200),
  igrade       smallint not null default 1 check (typeof(igrade) = 'integer' and igrade between -32768 and 32767),
  bd_c         smallint default 1 check (bd_c is null or typeof(bd_c) = 'integer' and bd_c between -32768 and 32767),  -- balance direction: 1 debit, 0 credit; NULL read as debit
  be           smallint not null default 0 check (typeof(be) = 'integer' and be between -32768 and 32767),  -- bank account
  bend         smallint not null default 1 check (typeof(bend) = 'integer' and bend between -32768 and 32767),  -- leaf account
  cexch_name   varchar(40) check (length(cexch_name) <= 40),  -- currency name; NULL or empty for the home currency
  dbegin       date check (dbegin is null or date(dbegin, '+0 days') is dbegin),  -- reconciliation start date
  dend         date check (dend is null or date(dend, '+0 days') is dend)  -- reconciliation end date (cut-off of the last matching)
);

-- Voucher lines of the general ledger: the enterprise journal of account mode.
-- iperiod 20 holds the journal opening balance, 21 the opening unreconciled items.
create table if not exists gl_accvouch (
  i_id         integer primary key autoincrement,
  iperiod      smallint not null check (typeof(iperiod) = 'integer' and iperiod between -32768 and 32767),
  csign        varchar(20) collate ci check (length(csign) <= 20),
  isignseq     smallint check (isignseq is null or typeof(isignseq) = 'integer' and isignseq between -32768 and 32767),
  ino_id       integer check (ino_id is null or typeof(ino_id) = 'integer' and ino_id between -2147483648 and 2147483647),
  inid         integer check (inid is null or typeof(inid) = 'integer' and inid between -2147483648 and 2147483647),
  dbill_date   date check (dbill_date is null or date(dbill_date, '+0 days') is dbill_date),
  idoc         smallint check (idoc is null or typeof(idoc) = 'integer' and idoc between -32768 and 32767),
  ibook        smallint not null default 1 check (typeof(ibook) = 'integer' and ibook between -32768 and 32767),  -- posted
  iflag        smallint check (iflag is null or typeof(iflag) = 'integer' and iflag between -32768 and 32767),  -- voucher state: NULL normal, 1 void
  ccode        varchar(40) collate ci not null check (length(ccode) <= 40),
  cexch_name   varchar(40) check (length(cexch_name) <= 40),
  md           money not null default 0 check (typeof(md) = 'integer'),
  mc           money not null default 0 check (typeof(mc) = 'integer'),
  md_f         money not null default 0 check (typeof(md_f) = 'integer'),
  mc_f         money not null default 0 check (typeof(mc_f) = 'integer'),
  nfrat        double precision default 0 check (nfrat is null or typeof(nfrat) = 'real'),  -- exchange rate
  nd_s         double precision default 0 check (nd_s is null or typeof(nd_s) = 'real'),
  nc_s         double precision default 0 check (nc_s is null or typeof(nc_s) = 'real'),
  csettle      varchar(20) collate ci check (length(csettle) <= 20),
  cn_id        varchar(40) collate ci check (length(cn_id) <= 40),
  dt_date      date check (dt_date is null or date(dt_date, '+0 days') is dt_date),  -- bill date
  cdigest      varchar(300) check (length(cdigest) <= 300),
  iflagbank    smallint check (iflagbank is null or typeof(iflagbank) = 'integer' and iflagbank between -32768 and 32767),  -- tick: NULL/0 none, 1..12 automatic, 13..24 manual
  bdelete      smallint not null default 0 check (typeof(bdelete) = 'integer' and bdelete between -32768 and 32767)  -- cleared
);

-- Bank statement lines of bank accounts; ibegin 0 is the one opening-balance row.
create table if not exists rp_bankrecp (
  i_id         integer primary key autoincrement,
  ccode        varchar(40) collate ci check (length(ccode) <= 40),
  cBookCode    varchar(40) collate ci check (length(cBookCode) <= 40),
  dDate        date check (dDate is null or date(dDate, '+0 days') is dDate),
  csettle      varchar(20) collate ci check (length(csettle) <= 20),
  cn_id        varchar(40) collate ci check (length(cn_id) <= 40),
  bd_c         smallint default 0 check (bd_c is null or typeof(bd_c) = 'integer' and bd_c between -32768 and 32767),  -- 1 debit, 0 credit
  mmoney       money not null default 0 check (typeof(mmoney) = 'integer'),
  mbalance     money default 0 check (mbalance is null or typeof(mbalance) = 'integer'),
  iflag        smallint check (iflag is null or typeof(iflag) = 'integer' and iflag between -32768 and 32767),  -- tick, as iflagbank
  ibegin       smallint not null default 2 check (typeof(ibegin) = 'integer' and ibegin between -32768 and 32767),  -- 0 opening balance, 2 statement line
  bdelete      smallint not null default 0 check (typeof(bdelete) = 'integer' and bdelete between -32768 and 32767)
);

-- Bank books of the cash-management part.
create table if not exists RP_Book (
  cBookCode    varchar(40) collate ci not null primary key check (length(cBookCode) <= 40),
  cBookName    varchar(200) check (length(cBookName) <= 200),
  iBookType    smallint not null default 2 check (typeof(iBookType) = 'integer' and iBookType between -32768 and 32767),  -- 2 bank book, 1 cash book
  ccode        varchar(40) collate ci check (length(ccode) <= 40),  -- the book's account in code
  cBankAccount varchar(60) check (length(cBankAccount) <= 60),  -- bank account number
  cexch_name   varchar(40) check (length(cexch_name) <= 40),  -- currency name, the home currency too
  dOpenDate    date check (dOpenDate is null or date(dOpenDate, '+0 days') is dOpenDate),  -- NULL: not opened
  bCloseFlag   smallint not null default 0 check (typeof(bCloseFlag) = 'integer' and bCloseFlag between -32768 and 32767),
  dBeginDate   date check (dBeginDate is null or date(dBeginDate, '+0 days') is dBeginDate),  -- reconciliation start date
  dEndDate     date check (dEndDate is null or date(dEndDate, '+0 days') is dEndDate),  -- reconciliation end date
  bd_c         smallint not null default 1 check (typeof(bd_c) = 'integer' and bd_c between -32768 and 32767),  -- balance direction of the statement
  iLastFlowNo  integer not null default 0 check (typeof(iLastFlowNo) = 'integer' and iLastFlowNo between -2147483648 and 2147483647)  -- number part of the book's last flow id
);

-- Flows of bank books: the enterprise journal of book mode. cFlowID is the book
-- code followed by a number of at least six digits.
create table if not exists RP_Flow (
  cFlowID      varchar(60) collate ci not null primary key check (length(cFlowID) <= 60),
  cBookCode    varchar(40) collate ci not null check (length(cBookCode) <= 40),
  iBookType    smallint not null default 2 check (typeof(iBookType) = 'integer' and iBookType between -32768 and 32767),
  ccode        varchar(40) collate ci check (length(ccode) <= 40),
  BillDate     date check (BillDate is null or date(BillDate, '+0 days') is BillDate),
  iperiod      smallint not null check (typeof(iperiod) = 'integer' and iperiod between -32768 and 32767),
  ibook        smallint not null default 1 check (typeof(ibook) = 'integer' and ibook between -32768 and 32767),
  csign        varchar(20) collate ci check (length(csign) <= 20),
  csettle      varchar(20) collate ci check (length(csettle) <= 20),
  cn_id        varchar(40) collate ci check (length(cn_id) <= 40),
  dt_date      date check (dt_date is null or date(dt_date, '+0 days') is dt_date),
  cexch_name   varchar(40) check (length(cexch_name) <= 40),
  md           money not null default 0 check (typeof(md) = 'integer'),
  mc           money not null default 0 check (typeof(mc) = 'integer'),
  md_f         money not null default 0 check (typeof(md_f) = 'integer'),
  mc_f         money not null default 0 check (typeof(mc_f) = 'integer'),
  cdigest      varchar(300) check (length(cdigest) <= 300),
  iflagbank    smallint check (iflagbank is null or typeof(iflagbank) = 'integer' and iflagbank between -32768 and 32767),
  bdelete      smallint not null default 0 check (typeof(bdelete) = 'integer' and bdelete between -32768 and 32767)
);

-- Bank statement lines of bank books.
create table if not exists rp_bankrecp_rp (
  i_id         integer primary key autoincrement,
  ccode        varchar(40) collate ci check (length(ccode) <= 40),
  cBookCode    varchar(40) collate ci check (length(cBookCode) <= 40),
  dDate        date check (dDate is null or date(dDate, '+0 days') is dDate),
  csettle      varchar(20) collate ci check (length(csettle) <= 20),
  cn_id        varchar(40) collate ci check (length(cn_id) <= 40),
  bd_c         smallint default 0 check (bd_c is null or typeof(bd_c) = 'integer' and bd_c between -32768 and 32767),
  mmoney       money not null default 0 check (typeof(mmoney) = 'integer'),
  mbalance     money default 0 check (mbalance is null or typeof(mbalance) = 'integer'),
  iflag        smallint check (iflag is null or typeof(iflag) = 'integer' and iflag between -32768 and 32767),
  ibegin       smallint not null default 2 check (typeof(ibegin) = 'integer' and ibegin between -32768 and 32767),
  bdelete      smallint not null default 0 check (typeof(bdelete) = 'integer' and bdelete between -32768 and 32767)
);

-- Settlement styles; lines keep a code whole, so their csettle is as wide as cSSCode.
create table if not exists settlestyle (
  cSSCode      varchar(20) collate ci not null primary key check (length(cSSCode) <= 20),
  cSSName      varchar(60) check (length(cSSName) <= 60),
  iSSGrade     smallint not null default 1 check (typeof(iSSGrade) = 'integer' and iSSGrade between -32768 and 32767),
  bSSEnd       smallint not null default 1 check (typeof(bSSEnd) = 'integer' and bSSEnd between -32768 and 32767)
);

-- Voucher types.
create table if not exists dsign (
  csign        varchar(20) collate ci not null primary key check (length(csign) <= 20),
  isignseq     smallint not null check (typeof(isignseq) = 'integer' and isignseq between -32768 and 32767),
  ctext        varchar(60) check (length(ctext) <= 60)
);

-- Print formats by report table code.
create table if not exists PrintEx (
  i_id         integer primary key autoincrement,
  cSystemName  varchar(20) collate ci not null check (length(cSystemName) <= 20),
  cTableCode   varchar(60) collate ci not null check (length(cTableCode) <= 60),
  ititleres    smallint check (ititleres is null or typeof(ititleres) = 'integer' and ititleres between -32768 and 32767),
  cResPathHead varchar(200) check (length(cResPathHead) <= 200),
  cResPathtail varchar(200) check (length(cResPathtail) <= 200)
);

-- The accounting calendar of the account set.
create table if not exists corvane_calendar (
  i_id         integer primary key autoincrement,
  iyear        integer not null check (typeof(iyear) = 'integer' and iyear between -2147483648 and 2147483647),
  iperiod      smallint not null check (typeof(iperiod) = 'integer' and iperiod between -32768 and 32767),
  dbegin       date not null check (date(dbegin) is dbegin),
  dend         date not null check (date(dend) is dend)
);

-- Suite options by key (UseBankBooks, HomeCurrency, ...).
create table if not exists corvane_options (
  ckey         varchar(60) collate ci not null primary key check (length(ckey) <= 60),
  cvalue       varchar(400) check (length(cvalue) <= 400)
);

create unique index if not exists ux_dsign_seq on dsign (isignseq);
create unique index if not exists ux_printex_code on PrintEx (cSystemName, cTableCode);
create unique index if not exists ux_calendar_period on corvane_calendar (iyear, iperiod);

-- Every list and sum names the account (or book) and a date range, the opening
-- rows are found by period or ibegin, and the grouped matching looks lines up by
-- settlement number. Tick tests always come with the account, so they filter the
-- account's rows instead of having an index that every tick write would update.
create index if not exists ix_gl_accvouch_date on gl_accvouch (ccode, dbill_date);
create index if not exists ix_gl_accvouch_period on gl_accvouch (ccode, iperiod);
create index if not exists ix_gl_accvouch_number on gl_accvouch (cn_id, ccode);
create index if not exists ix_rp_bankrecp_date on rp_bankrecp (ccode, dDate);
create index if not exists ix_rp_bankrecp_begin on rp_bankrecp (ccode, ibegin);
create index if not exists ix_rp_bankrecp_number on rp_bankrecp (cn_id, ccode);
create index if not exists ix_rp_flow_date on RP_Flow (cBookCode, BillDate);
create index if not exists ix_rp_flow_period on RP_Flow (cBookCode, iperiod);
create index if not exists ix_rp_flow_number on RP_Flow (cn_id, cBookCode);
create index if not exists ix_rp_bankrecp_rp_date on rp_bankrecp_rp (cBookCode, dDate);
create index if not exists ix_rp_bankrecp_rp_begin on rp_bankrecp_rp (cBookCode, ibegin);
create index if not exists ix_rp_bankrecp_rp_number on rp_bankrecp_rp (cn_id, cBookCode);
