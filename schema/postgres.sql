create collation if not exists ci (provider = icu, locale = 'und-u-ks-level2', deterministic = false);
