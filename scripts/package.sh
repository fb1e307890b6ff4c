#!/usr/bin/env bash
# Builds what a Windows user is given, from the windows-release build, into
# build/package/:
#   Vorlane-<version>-setup.exe   the installer (per user, no administrator rights)
#   Vorlane-<version>-win64.zip   the program alone, with a short note
# The name, version and publisher are those of the program's version resource.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)
exe=$repo/build/windows-release/Vorlane.exe
out=$repo/build/package

readonly max_exe_bytes=$((1024 * 1024))
# The program is linked statically and imports only Windows' known DLLs (those
# of both Windows 7 and 10), which Windows takes from its own folder whatever
# lies beside the program; comctl32 comes through the manifest's binding.
readonly known_dlls=" advapi32.dll clbcatq.dll comdlg32.dll gdi32.dll imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll comctl32.dll "

bash scripts/setup.sh
bash scripts/build.sh windows-release

fail() { echo "package.sh: $*" >&2; exit 1; }
size=$(stat -c %s "$exe")
[ "$size" -le "$max_exe_bytes" ] || fail "Vorlane.exe has $size bytes, more than $max_exe_bytes"
! x86_64-w64-mingw32-objdump -h "$exe" | grep -q -F .debug_ || fail "Vorlane.exe holds debug information"
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
for dll in $dlls; do
  [[ $known_dlls == *" ${dll,,} "* ]] || fail "Vorlane.exe imports $dll, not one of Windows' known DLLs: load it with SystemProcedure"
done

resource=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
version_value() { sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"$/\1/p" <<<"$resource"; }
product=$(version_value ProductName)
version=$(version_value ProductVersion)
publisher=$(version_value CompanyName)
file_version=$(sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)$/\1.\2.\3.\4/p' <<<"$resource")
for value in "$product" "$version" "$publisher" "$file_version"; do
  [ -n "$value" ] || fail "the version resource lacks the product name, version, numbers or publisher"
done

rm -rf "$out"
mkdir -p "$out/zip/$product"
cp "$exe" "$out/zip/$product/"
# Windows line breaks, which every Windows editor shows.
sed 's/$/\r/' packaging/README.txt >"$out/zip/$product/README.txt"
zip_file=$out/$product-$version-win64.zip
(cd "$out/zip" && zip -q -X -r "$zip_file" "$product")

setup_file=$out/$product-$version-setup.exe
makensis -V2 -DPRODUCT="$product" -DVERSION="$version" -DFILE_VERSION="$file_version" \
  -DPUBLISHER="$publisher" -DEXE="$exe" -DICON="$repo/resources/router_normal.ico" \
  -DIDS="$repo/resources/resource_ids.h" -DOUTFILE="$setup_file" packaging/vorlane.nsi

echo "Vorlane.exe: $size bytes, imports ${dlls//$'\n'/ }"
echo "${zip_file#"$repo"/}: $(stat -c %s "$zip_file") bytes"
echo "${setup_file#"$repo"/}: $(stat -c %s "$setup_file") bytes"
