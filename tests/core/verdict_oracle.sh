#!/bin/bash
# lumbo judge --batch against a separate Python reading of the verdict rules,
# on generated near-miss pairs with a fixed seed (so a failure reproduces).
set -euo pipefail
lumbo=${1:?usage: verdict_oracle.sh PATH_TO_LUMBO}
exec python3 "$(dirname "$0")/verdict_oracle.py" "$lumbo" --seed 20240611 --pairs 20000
