#!/usr/bin/env bash
# Makes the download files from a fresh clone (as root on Debian 12, installing what is
# missing): the setup program and the portable zip of the same files, both named with
# the version, in dist/. The setup program is made with NSIS (makensis): a 64-bit
# Unicode installer that also runs silently (see README.md, "Installing").
source "$(dirname "$0")/lib.sh"
ensure_packages
build_all vt_setup

rm -rf "$ROOT/dist"
mkdir -p "$ROOT/dist"
cp "$BUILD"/dist/VTUserCnfg-*-setup.exe "$BUILD"/dist/VTUserCnfg-*-portable.zip "$ROOT/dist/"
ls -1 "$ROOT"/dist/*
