#!/usr/bin/env bash
# The tool's LZW packer and unpacker against an independent implementation.
exec python3 "$(dirname "$0")/lzw_independent.py" "$1"
