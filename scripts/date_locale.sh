# The locale in which run.sh starts the host. Sourced, not run.
#
# The host starts only where the short date format writes dates with "-"; the
# date category decides (LC_ALL over LC_TIME over LANG). en_CA.UTF-8 writes
# yyyy-MM-dd, and Qt knows that format even where the C library has no such
# locale installed, so the shell itself need not switch to it.

LOCALE_CATEGORIES=(LC_CTYPE LC_NUMERIC LC_COLLATE LC_MONETARY LC_MESSAGES LC_PAPER LC_NAME LC_ADDRESS
                   LC_TELEPHONE LC_MEASUREMENT LC_IDENTIFICATION)

# Prints, one a line, the env(1) arguments that give the host a date category
# writing "-" and keep every other category as it is now:
#  - LC_ALL set: it overrides every category, LC_TIME included; it is removed and
#    its value given to LANG and to each category but the date's, which gets
#    en_CA.UTF-8;
#  - neither LC_ALL nor LC_TIME set: LC_TIME=en_CA.UTF-8;
#  - LC_TIME chosen (without LC_ALL): nothing; the user's choice stands.
date_locale_env_args() {
  if [ -n "${LC_ALL:-}" ]; then
    printf '%s\n' -u LC_ALL "LANG=$LC_ALL"
    local category
    for category in "${LOCALE_CATEGORIES[@]}"; do printf '%s=%s\n' "$category" "$LC_ALL"; done
    printf '%s\n' LC_TIME=en_CA.UTF-8
  elif [ -z "${LC_TIME:-}" ]; then
    printf '%s\n' LC_TIME=en_CA.UTF-8
  fi
}

# run_with_date_locale program [arguments...]: runs the program (in place of the
# shell) in the environment date_locale_env_args describes.
run_with_date_locale() {
  local settings=()
  mapfile -t settings < <(date_locale_env_args)
  exec env "${settings[@]}" "$@"
}
