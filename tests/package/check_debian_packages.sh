#!/usr/bin/env bash
# check_debian_packages.sh BUILD_DIR VERSION SOURCE_DIR
# Makes the Debian packages of a finished build with CPack and checks them as a user meets
# them: the files each holds and their modes, the dependencies dpkg-shlibdeps found,
# stripped binaries that still carry their version, the desktop entry, the AppStream data,
# lintian without errors, the programs run from the unpacked packages, and a C program
# built through pkg-config against the unpacked development package that repairs the
# bundled sample.
set -uo pipefail
# Under pipefail a "grep -q" that quits early can fail its writer with SIGPIPE: the
# pipelines below let grep read everything.
build=$1
version=$2
source=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tessaly-packages.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

arch=$(dpkg --print-architecture)
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
packages=(tessaly tessaly-cli libmendrel1 libmendrel-dev)
app_id=org.example.tessaly.Tessaly
deb() { echo "$work/out/$1_${version}_${arch}.deb"; }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not make the packages"
  exit 1
fi
for p in "${packages[@]}"; do
  if [ ! -f "$(deb "$p")" ]; then
    echo "FAIL: no package $(basename "$(deb "$p")")"
    exit 1
  fi
  printf '%-15s %7d bytes  Depends: %s\n' "$p" "$(stat -c %s "$(deb "$p")")" \
    "$(dpkg-deb -f "$(deb "$p")" Depends)"
done

# Files with their modes (directories aside), all owned by root; directories 0755.
listing() { for p in "${packages[@]}"; do dpkg-deb -c "$(deb "$p")" | sed "s|^|$p |"; done; }
expected=$(sed "s/@TRIPLET@/$triplet/g; s/@VERSION@/$version/g" "$here/expected_contents.txt" | sort)
packed=$(listing | awk '$2 !~ /^d/ { line = $1 " " $2 " " substr($7, 3); if ($8 == "->") line = line " -> " $9; print line }' | sort)
if [ "$expected" != "$packed" ]; then
  fail "the packages' files differ from expected_contents.txt (< expected, > packed):"
  diff <(echo "$expected") <(echo "$packed")
fi
listing | awk '$3 != "root/root" { print "FAIL: not owned by root: " $0 }
               $2 ~ /^d/ && $2 != "drwxr-xr-x" { print "FAIL: directory mode: " $0 }' >"$work/owners"
[ -s "$work/owners" ] && fail "$(cat "$work/owners")"

# Dependencies: the programs reach libmendrel1 through its shlibs file.
depends_on() {
  dpkg-deb -f "$(deb "$1")" Depends | tr ',' '\n' | sed 's/^ *//' | grep -xF "$2" >/dev/null ||
    fail "$1 does not depend on $2"
}
depends_on tessaly "libmendrel1 (>= $version)"
depends_on tessaly-cli "libmendrel1 (>= $version)"
depends_on libmendrel-dev "libmendrel1 (= $version)"
dpkg-deb -f "$(deb tessaly)" Depends | grep 'libqt6widgets6 (>=' >/dev/null ||
  fail "tessaly has no Qt dependency from dpkg-shlibdeps"
shlibs=$(dpkg-deb -I "$(deb libmendrel1)" shlibs)
[ "$shlibs" = "libmendrel 1 libmendrel1 (>= $version)" ] || fail "libmendrel1's shlibs file says '$shlibs'"

root=$work/root
for p in "${packages[@]}"; do dpkg-deb -x "$(deb "$p")" "$root"; done
lib=$root/usr/lib/$triplet

for binary in "$root/usr/bin/tessaly" "$root/usr/bin/tessaly-cli" "$lib/libmendrel.so.$version"; do
  sections=$(readelf -SW "$binary")
  grep -q ' \.symtab ' <<<"$sections" && fail "$binary keeps its symbol table"
  grep -q ' \.note\.tessaly\.version ' <<<"$sections" || fail "$binary lost its version note"
done
zcat "$root/usr/share/doc/tessaly/changelog.gz" >"$work/changelog"
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version"

desktop=$root/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
grep -qx 'Exec=tessaly --open %f' "$desktop" || fail "the desktop entry does not run tessaly --open %f"
# application/x-dbf is shared-mime-info's type for *.dbf (libqt6core6 depends on it).
grep -qx 'MimeType=application/x-dbf;' "$desktop" || fail "the desktop entry does not offer .dbf files"
for icon in "$root"/usr/share/icons/hicolor/*/apps/$app_id.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  file "$icon" | grep "PNG image data, ${size/x/ x }," >/dev/null || fail "$icon is not a $size PNG"
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
fi
if command -v lintian >/dev/null; then
  debs=()
  for p in "${packages[@]}"; do debs+=("$(deb "$p")"); done
  lintian --fail-on error "${debs[@]}" 2>&1 | grep -v 'running with root privileges'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"
fi

# The programs run from the unpacked packages, on the unpacked library.
run() { LD_LIBRARY_PATH=$lib "$@"; }
[ "$(run "$root/usr/bin/tessaly-cli" --version)" = "tessaly-cli $version" ] || fail "tessaly-cli --version"
[ "$(run "$root/usr/bin/tessaly" --version)" = "Tessaly $version" ] || fail "tessaly --version"

flags=$(PKG_CONFIG_LIBDIR=$lib/pkgconfig PKG_CONFIG_SYSROOT_DIR=$root pkg-config --cflags --libs mendrel) ||
  fail "pkg-config finds no mendrel.pc"
if cc -std=c99 -Wall -Wextra -Werror "$here/repair_sample.c" $flags -o "$work/repair_sample"; then
  run ldd "$work/repair_sample" | grep "libmendrel.so.1 => $lib/" >/dev/null ||
    fail "the client does not load libmendrel.so.1 from the package"
  run "$work/repair_sample" "$source/samples/customers.dbf" "$work/fixed.dbf" ||
    fail "the client built on libmendrel-dev did not repair the sample"
  # The packaged tessaly-cli repairs the same sample into the same bytes.
  run "$root/usr/bin/tessaly-cli" repair "$source/samples/customers.dbf" -o "$work/cli.dbf" >/dev/null ||
    fail "the packaged tessaly-cli did not repair the sample"
  cmp "$work/fixed.dbf" "$work/cli.dbf" && cmp "$work/fixed.dbt" "$work/cli.dbt" ||
    fail "the client and tessaly-cli repaired the sample differently"
else
  fail "a C program does not build against libmendrel-dev"
fi

[ "$failures" -eq 0 ] && echo "The Debian packages pass."
[ "$failures" -eq 0 ]
