#!/usr/bin/env bash
# The Debian package as a user gets it: made with CPack from the build,
# unpacked (not installed) into a scratch folder, and qeln-cli run from there.
# It must find the catalogue under ../share/qeln relative to itself, read it
# without writing anything beside it, and give the listing the build gives.
#   deb_test.sh BUILD_DIR SOURCE_DIR      exit 77: a tool is missing (skipped)
set -euo pipefail
build=$1
src=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# ---- the package
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/out/qeln-column_*.deb)
[ -f "${debs[0]}" ] || fail "no qeln-column_*.deb in $(ls "$scratch/out")"
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# ---- its control data: dependencies from the shared libraries, section
control=$(dpkg-deb -f "$deb")
echo "$control"
grep -q '^Section: science$' <<<"$control" || fail "section is not science"
grep -q '^Maintainer: .*<.*@.*>' <<<"$control" || fail "no maintainer"
grep -Eq '^Depends: .*libqt6widgets6' <<<"$control" || fail "the dependencies were not taken from the shared libraries"
grep -Eq '^Depends: .*libxlsxwriter[0-9]' <<<"$control" || fail "no dependency on libxlsxwriter, which the XLSX export loads"

# ---- its files
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/qeln-column usr/bin/qeln-cli usr/libexec/qeln/qeln-cli-pdf usr/share/qeln/PROFKVL2.DBF \
         usr/share/applications/org.qeln.Column.desktop usr/share/metainfo/org.qeln.Column.metainfo.xml \
         usr/share/mime/packages/org.qeln.Column.xml usr/share/icons/hicolor/scalable/apps/org.qeln.Column.svg; do
  grep -q " \./$f\$" <<<"$contents" || fail "the package lacks /$f"
done
if grep -Eq '(qeln-bench|qeln-make-profile-table|_tests|\.ntx)$' <<<"$contents"; then
  fail "the package holds build tools or tests"
fi

# ---- unpacked into a read-only tree, run by a user without a per-user copy
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
mkdir -p "$HOME"
cli="$root/usr/bin/qeln-cli"
work="$scratch/work"
mkdir -p "$work"

"$cli" new "$work/default.qln" || fail "qeln-cli new"
"$cli" design "$work/default.qln" >"$work/unpacked.txt" || fail "qeln-cli design from the unpacked package"
"$build/bin/qeln-cli" design "$work/default.qln" >"$work/built.txt" || fail "qeln-cli design from the build"
cmp -s "$work/unpacked.txt" "$work/built.txt" || { diff "$work/built.txt" "$work/unpacked.txt" | head -20; fail "the listings differ"; }
grep -q 'HE 320 A' "$work/unpacked.txt" || fail "the listing does not name the default profile"
# a reviewed listing, through the installed catalogue
"$cli" design "$src/tests/data/default-e50-e30.qln" >"$work/e50.txt" || fail "qeln-cli design default-e50-e30.qln"
cmp -s "$work/e50.txt" "$src/tests/data/default-e50-e30.listing.txt" || fail "the listing of default-e50-e30.qln differs"

# the PDF writer is found in ../libexec/qeln
QT_QPA_PLATFORM=offscreen "$cli" design "$work/default.qln" --pdf "$work/default.pdf" || fail "qeln-cli --pdf from the unpacked package"
head -c 5 "$work/default.pdf" | grep -q '%PDF-' || fail "the report is no PDF file"

# only read: no index beside the installed table, no per-user copy
[ ! -e "$root/usr/share/qeln/profkvl2.ntx" ] || fail "an index was written beside the installed catalogue"
[ ! -e "$XDG_DATA_HOME/qeln" ] || fail "the command line made a per-user copy"

# ---- the MIME type: *.qln is a project
if command -v update-mime-database >/dev/null; then
  mkdir -p "$scratch/mime/packages"
  cp "$root/usr/share/mime/packages/org.qeln.Column.xml" "$scratch/mime/packages/"
  update-mime-database "$scratch/mime"
  grep -q '^[0-9]*:application/x-qeln-project:\*\.qln$' "$scratch/mime/globs2" || fail "*.qln is not application/x-qeln-project"
fi
echo "the unpacked package designs the default project with its own catalogue"
