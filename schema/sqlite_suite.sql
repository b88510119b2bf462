-- Tables of the suite's own services: function claims, account locks, rights,
-- page settings and account-set settings (flow numbers count in RP_Book.iLastFlowNo).
-- Installed after the main schema; every statement may run again on an existing
-- database. These tables are written by statements, never through a recordset,
-- so their natural keys of two columns serve as primary keys.
-- Codes and ids compare without regard to letter case (collate ci).

-- The functions the suite knows, with their display names. is_exclusive = 1: only
-- one session at a time may run the function.
create table if not exists corvane_function (
  function_id   text collate ci primary key,
  function_name text not null,
  is_exclusive  integer not null default 0
);

-- The functions a user may run. A user without any row may run every function.
create table if not exists corvane_user_right (
  user_id     text collate ci not null,
  function_id text collate ci not null,
  primary key (user_id, function_id)
);

-- Functions running now, one row per session and function.
create table if not exists corvane_claim (
  session_id  text not null,
  function_id text collate ci not null,
  user_id     text collate ci,
  user_name   text,
  owner_pid   integer not null,
  owner_start text,
  claimed_at  text,
  primary key (session_id, function_id)
);

-- Accounts and books held by a session for a function; hold_count counts the
-- locks the session took on the code and has not given back yet.
create table if not exists corvane_lock (
  code        text collate ci primary key,
  session_id  text not null,
  function_id text collate ci,
  user_id     text collate ci,
  user_name   text,
  owner_pid   integer not null,
  owner_start text,
  hold_count  integer not null default 1,
  locked_at   text
);
create index if not exists corvane_lock_session on corvane_lock (session_id);

-- The accounts a user may read. A user without any row may read every account.
create table if not exists corvane_account_right (
  user_id text collate ci not null,
  ccode   text collate ci not null,
  primary key (user_id, ccode)
);

-- The seven page settings of a report key, per account set.
create table if not exists corvane_page_setting (
  set_key    text not null,
  report_key text collate ci not null,
  setting0 text, setting1 text, setting2 text, setting3 text,
  setting4 text, setting5 text, setting6 text,
  primary key (set_key, report_key)
);

-- Settings of an account set by name (home currency, field lengths, fonts, …).
create table if not exists corvane_setting (
  set_key text not null,
  name    text collate ci not null,
  value   text,
  primary key (set_key, name)
);

insert into corvane_function (function_id, function_name, is_exclusive) values
  ('GL040701', '银行对账期初', 0),
  ('GL040702', '银行对账单', 0),
  ('GL040703', '银行对账', 0),
  ('GL040704', '银行存款余额调节表', 0),
  ('GL040705', '查询银行勾对情况', 0),
  ('GL040706', '核销银行账', 1),
  ('GL0408',   '长期未达审计', 0),
  ('RP0303',   '银行对账期初', 0),
  ('RP0304',   '银行对账单', 0),
  ('RP0305',   '银行对账', 0),
  ('RP0306',   '银行存款余额调节表', 0),
  ('RP0307',   '查询银行勾对情况', 0),
  ('RP0308',   '核销银行账', 1),
  ('RP0309',   '长期未达审计', 0)
on conflict do nothing;
