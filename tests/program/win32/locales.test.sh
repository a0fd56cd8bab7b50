#!/usr/bin/env bash
# The language code the real program writes back for the user's locale. Wine takes a
# process's locale from its LANG, so each run is started from the shell.
#   locales.test.sh BUILD_DIR
set -uo pipefail
build=$1
failed=0
# A prefix of its own: Wine rewrites the prefix's font links for each new code page,
# which would change the look of every later test's dialogs.
source "$(dirname "$0")/../../../scripts/wine-env"
export WINEPREFIX="$build/wineprefix-locales"
lumivar_wine_prepare_prefix
trap 'wineserver -k >/dev/null 2>&1' EXIT
for case in en_US.UTF-8:EN zh_CN.UTF-8:ZH zh_TW.UTF-8:EN de_DE.UTF-8:DE; do
  lang=${case%%:*}
  expected=${case##*:}
  folder=$(mktemp -d)
  cp "$build/bin/T507Ctrl.exe" "$folder/"
  LANG=$lang LC_ALL=$lang wine "$folder/T507Ctrl.exe" >/dev/null 2>&1 &
  program=$!
  for _ in $(seq 1 150); do
    grep -q '^MinToTray=' "$folder/settings.ini" 2>/dev/null && break
    sleep 0.1
  done
  actual=$(tr -d '\r' <"$folder/settings.ini" 2>/dev/null | sed -n 's/^Language=//p')
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  if [[ "$actual" == "$expected" ]]; then
    echo "ok: LANG=$lang gives Language=$actual"
  else
    echo "FAILED: LANG=$lang gives Language=${actual:-nothing}, expected $expected"
    failed=1
  fi
  rm -rf "$folder"
done
exit $failed
