#!/usr/bin/env bash
# Every message the sources and the XRC layouts use must be translated (not
# empty, not fuzzy) in every catalog, each catalog must compile with its
# formats checked, and the build must have staged it where the program
# looks for it.
#
#   check_catalogs.sh SOURCE_DIR STAGE_DIR
set -uo pipefail
src="$1"
stage="$2"
languages=(zh_CN zh_TW de fr it ja)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! bash "$src/po/extract-messages.sh" "$work/fresh.pot"; then
    echo "extracting the messages failed"
    exit 1
fi

failed=0
for lang in "${languages[@]}"; do
    po="$src/po/$lang.po"
    if [ ! -f "$po" ]; then
        echo "$lang: no catalog $po"
        failed=1
        continue
    fi
    # Entries for texts not in the sources yet are fine; missing ones are not.
    msgcmp "$po" "$work/fresh.pot" > "$work/cmp" 2>&1
    status=$?
    grep -v 'this message is not used' "$work/cmp"
    [ $status -eq 0 ] || { echo "$lang: catalog incomplete"; failed=1; }
    msgfmt --check -o /dev/null "$po" || { echo "$lang: catalog does not compile"; failed=1; }
    [ -s "$stage/Language/$lang/LC_MESSAGES/language.mo" ] || {
        echo "$lang: not staged as Language/$lang/LC_MESSAGES/language.mo"
        failed=1
    }
done
exit $failed
