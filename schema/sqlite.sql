-- Corvane suite database, SQLite.
--
-- Runs on every open of a database (suite::InstallSchema), so every statement is
-- idempotent. Conventions shared with postgres.sql:
--   * unquoted identifiers only, so "rp_bankrecp_RP", "GL_accvouch", "cCode" all work;
--   * text keys (account and book codes, settlement styles and numbers, flow ids,
--     voucher signs) compare without regard to letter case: collate nocase;
--   * dates are declared date and hold 'YYYY-MM-DD' text (no time part), so range
--     conditions include their end day; the layer hands them back as dates;
--   * money is declared numeric(19,4); the layer rounds every read to four decimals;
--   * flags are small integers 0/1; bdelete is never NULL so new lines stay visible;
--   * every table has a single-column primary key, which the recordset uses to
--     write a changed row back (natural keys of two columns are unique indexes).

-- Chart of accounts. Bank accounts are the leaves with be=1 and bend=1.
create table if not exists code (
  ccode        varchar(40) collate nocase not null primary key,
  ccode_name   varchar(200),
  igrade       smallint not null default 1,
  bd_c         smallint default 1,               -- balance direction: 1 debit, 0 credit; NULL read as debit
  be           smallint not null default 0,      -- bank account
  bend         smallint not null default 1,      -- leaf account
  cexch_name   varchar(40),                      -- currency name; NULL or empty for the home currency
  dbegin       date,                             -- reconciliation start date
  dend         date                              -- reconciliation end date (cut-off of the last matching)
);

-- Voucher lines of the general ledger: the enterprise journal of account mode.
-- iperiod 20 holds the journal opening balance, 21 the opening unreconciled items.
create table if not exists gl_accvouch (
  i_id         integer primary key autoincrement,
  iperiod      smallint not null,
  csign        varchar(20) collate nocase,
  isignseq     smallint,
  ino_id       integer,
  inid         integer,
  dbill_date   date,
  idoc         smallint,
  ibook        smallint not null default 1,      -- posted
  iflag        smallint,                         -- voucher state: NULL normal, 1 void
  ccode        varchar(40) collate nocase not null,
  cexch_name   varchar(40),
  md           numeric(19,4) not null default 0,
  mc           numeric(19,4) not null default 0,
  md_f         numeric(19,4) not null default 0,
  mc_f         numeric(19,4) not null default 0,
  nfrat        double precision default 0,       -- exchange rate
  nd_s         double precision default 0,
  nc_s         double precision default 0,
  csettle      varchar(20) collate nocase,
  cn_id        varchar(40) collate nocase,
  dt_date      date,                             -- bill date
  cdigest      varchar(300),
  iflagbank    smallint,                         -- tick: NULL/0 none, 1..12 automatic, 13..24 manual
  bdelete      smallint not null default 0       -- cleared
);

-- Bank statement lines of bank accounts; ibegin 0 is the one opening-balance row.
create table if not exists rp_bankrecp (
  i_id         integer primary key autoincrement,
  ccode        varchar(40) collate nocase,
  cBookCode    varchar(40) collate nocase,
  dDate        date,
  csettle      varchar(20) collate nocase,
  cn_id        varchar(40) collate nocase,
  bd_c         smallint default 0,               -- 1 debit, 0 credit
  mmoney       numeric(19,4) not null default 0,
  mbalance     numeric(19,4) default 0,
  iflag        smallint,                         -- tick, as iflagbank
  ibegin       smallint not null default 2,      -- 0 opening balance, 2 statement line
  bdelete      smallint not null default 0
);

-- Bank books of the cash-management part.
create table if not exists RP_Book (
  cBookCode    varchar(40) collate nocase not null primary key,
  cBookName    varchar(200),
  iBookType    smallint not null default 2,      -- 2 bank book, 1 cash book
  ccode        varchar(40) collate nocase,       -- the book's account in code
  cBankAccount varchar(60),                      -- bank account number
  cexch_name   varchar(40),                      -- currency name, the home currency too
  dOpenDate    date,                             -- NULL: not opened
  bCloseFlag   smallint not null default 0,
  dBeginDate   date,                             -- reconciliation start date
  dEndDate     date,                             -- reconciliation end date
  bd_c         smallint not null default 1,      -- balance direction of the statement
  iLastFlowNo  integer not null default 0        -- number part of the book's last flow id
);

-- Flows of bank books: the enterprise journal of book mode. cFlowID is the book
-- code followed by a number of at least six digits.
create table if not exists RP_Flow (
  cFlowID      varchar(60) collate nocase not null primary key,
  cBookCode    varchar(40) collate nocase not null,
  iBookType    smallint not null default 2,
  ccode        varchar(40) collate nocase,
  BillDate     date,
  iperiod      smallint not null,
  ibook        smallint not null default 1,
  csign        varchar(20) collate nocase,
  csettle      varchar(20) collate nocase,
  cn_id        varchar(40) collate nocase,
  dt_date      date,
  cexch_name   varchar(40),
  md           numeric(19,4) not null default 0,
  mc           numeric(19,4) not null default 0,
  md_f         numeric(19,4) not null default 0,
  mc_f         numeric(19,4) not null default 0,
  cdigest      varchar(300),
  iflagbank    smallint,
  bdelete      smallint not null default 0
);

-- Bank statement lines of bank books.
create table if not exists rp_bankrecp_rp (
  i_id         integer primary key autoincrement,
  ccode        varchar(40) collate nocase,
  cBookCode    varchar(40) collate nocase,
  dDate        date,
  csettle      varchar(20) collate nocase,
  cn_id        varchar(40) collate nocase,
  bd_c         smallint default 0,
  mmoney       numeric(19,4) not null default 0,
  mbalance     numeric(19,4) default 0,
  iflag        smallint,
  ibegin       smallint not null default 2,
  bdelete      smallint not null default 0
);

-- Settlement styles; a statement line keeps the code (at most three bytes).
create table if not exists settlestyle (
  cSSCode      varchar(20) collate nocase not null primary key,
  cSSName      varchar(60),
  iSSGrade     smallint not null default 1,
  bSSEnd       smallint not null default 1
);

-- Voucher types.
create table if not exists dsign (
  csign        varchar(20) collate nocase not null primary key,
  isignseq     smallint not null,
  ctext        varchar(60)
);

-- Print formats by report table code.
create table if not exists PrintEx (
  i_id         integer primary key autoincrement,
  cSystemName  varchar(20) collate nocase not null,
  cTableCode   varchar(60) collate nocase not null,
  ititleres    smallint,
  cResPathHead varchar(200),
  cResPathtail varchar(200)
);

-- The accounting calendar of the account set.
create table if not exists corvane_calendar (
  i_id         integer primary key autoincrement,
  iyear        integer not null,
  iperiod      smallint not null,
  dbegin       date not null,
  dend         date not null
);

-- Suite options by key (UseBankBooks, HomeCurrency, ...).
create table if not exists corvane_options (
  ckey         varchar(60) collate nocase not null primary key,
  cvalue       varchar(400)
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
