#!/usr/bin/env bash
# Installs what is missing, builds tessaly-cli (Release), repairs the bundled damaged
# sample into the build folder and shows the records it recovered. samples/ is only read.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target tessaly-cli
cli="$build/bin/tessaly-cli"
out="$build/demo"
mkdir -p "$out"

echo
echo "== Repairing samples/customers.dbf (and its memo file customers.dbt)"
"$cli" repair --overwrite samples/customers.dbf -o "$out/customers_fixed.dbf"
echo
echo "== The recovered table"
"$cli" show "$out/customers_fixed.dbf"
echo
echo "Repaired files: $out/customers_fixed.dbf, $out/customers_fixed.dbt"
