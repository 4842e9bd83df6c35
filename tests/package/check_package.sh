#!/usr/bin/env bash
# Builds the Debian package of this build into a temporary folder and checks
# what it holds, what it depends on, and that the unpacked program finds its
# demo catalogue beside itself.
# Usage: check_package.sh CPACK CPACK-CONFIG VERSION
# Exit 77 (skipped) when dpkg's tools are missing.
set -euo pipefail
cpack=$1 config=$2 version=$3
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (package dpkg-dev)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Uncompressed: the demo catalogue is large and only the contents matter here.
if ! "$cpack" -G DEB --config "$config" -B "$work/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=none >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
debs=("$work"/out/qxkat_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single package in:"; ls "$work/out"; exit 1; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "qxkat_${version}_${arch}.deb" ] || fail "package file name $(basename "$deb")"

# What is installed where, and nothing of the build's own tools.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/qxkat ./usr/bin/qxkat-tool \
            ./usr/share/qxkat/demo/DATEN/LANG1/QXSTART.BER \
            ./usr/share/applications/qxkat.desktop \
            ./usr/share/icons/hicolor/scalable/apps/qxkat.svg \
            ./usr/share/icons/hicolor/48x48/apps/qxkat.png \
            ./usr/share/man/man1/qxkat.1.gz ./usr/share/man/man1/qxkat-tool.1.gz \
            ./usr/share/metainfo/com.quarventa.qxkat.metainfo.xml \
            ./usr/share/doc/qxkat/copyright ./usr/share/doc/qxkat/changelog.gz; do
    grep -qxF "$path" "$work/contents" || fail "missing $path"
done
if grep -E '^\./usr/bin/.' "$work/contents" | grep -vxE '\./usr/bin/(qxkat|qxkat-tool)'; then
    fail "programs other than qxkat and qxkat-tool installed (above)"
fi
grep -F '.stamp' "$work/contents" && fail "the demo's build stamp is installed"
# The demo is generated into a build folder; none of the build's own files go along.
if grep -E '/CMakeFiles/|\.cmake$|\.o$|\.ninja|/Makefile$|CMakeCache' "$work/contents"; then
    fail "build files packaged (above)"
fi

# The control fields; Depends holds both found libraries and run-time plugins.
dpkg-deb -I "$deb" >"$work/info"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qxkat ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for p in libqt6widgets6 libqt6multimedia6 libjpeg62-turbo qt6-qpa-plugins gstreamer1.0-plugins-good \
         qt6-translations-l10n fonts-liberation; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done

# Unpacked anywhere, the program takes the demo catalogue below its own prefix.
root=$work/root
dpkg-deb -x "$deb" "$root"
help=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/qxkat" --help) || fail "qxkat --help failed"
grep -qxF "Without --program-dir: $root/usr/share/qxkat/demo" <<<"$help" ||
    fail "the unpacked program does not take the unpacked demo: $(tail -n 1 <<<"$help")"
"$root/usr/bin/qxkat-tool" check "$root/usr/share/qxkat/demo" >"$work/check.log" 2>&1 ||
    { cat "$work/check.log"; fail "the packaged demo catalogue does not pass qxkat-tool check"; }
for page in qxkat qxkat-tool; do
    gzip -t "$root/usr/share/man/man1/$page.1.gz" || fail "$page.1.gz is no gzip file"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/qxkat.desktop" || fail "desktop entry does not validate"
else
    echo "note: desktop-file-validate missing, desktop entry not validated"
fi

if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/com.quarventa.qxkat.metainfo.xml" ||
        fail "AppStream metainfo does not validate"
else
    echo "note: appstreamcli missing, AppStream metainfo not validated"
fi
# Debian's own judgement; errors and warnings fail. This package is built
# uncompressed on purpose; the released one is compressed.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning --tag-display-limit 0 --suppress-tags uses-no-compression-for-data-tarball \
        "$deb" || fail "lintian reports the above"
else
    echo "note: lintian missing, package not checked by lintian"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; package information:"
    cat "$work/info"
    exit 1
fi
echo "package $(basename "$deb") is whole"
