#!/usr/bin/env bash
# Extracts every message id of the program into a template: the texts the
# sources translate (_(), wxPLURAL, wxTRANSLATE, wxGETTEXT_IN_CONTEXT) and the
# translatable texts of the XRC layouts, which the toolkit translates when it
# loads them.
#
#   po/extract-messages.sh [OUTPUT.pot]     (default: po/language.pot)
#
# After a new message appears in the sources, run this and add its
# translation to every po/<lang>.po; the catalog test fails until then.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/po/language.pot}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# wxrc writes the XRC texts as _("...") calls with #line markers, which
# xgettext reads like any other source; the markers keep the XRC file names
# in the references.
(cd "$root" && wxrc --gettext --output="$work/xrc-texts.cpp" Themes/*.xrc)

(cd "$root" && find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort > "$work/files")
echo "$work/xrc-texts.cpp" >> "$work/files"

(cd "$root" && xgettext --language=C++ --from-code=UTF-8 \
    --keyword=_ --keyword=wxPLURAL:1,2 --keyword=wxTRANSLATE \
    --keyword=wxGETTEXT_IN_CONTEXT:1c,2 --keyword=wxGETTEXT_IN_CONTEXT_PLURAL:1c,2,3 \
    --package-name="Tavrinex Gloamer" --package-version=3.0.19 \
    --sort-by-file --add-location=file \
    --files-from="$work/files" --output="$work/language.pot")
# The temporary XRC extract would otherwise leave its path in the template.
grep -v '^#: /' "$work/language.pot" > "$out"
