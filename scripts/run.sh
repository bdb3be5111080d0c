#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pelion Web Builder.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
configure_and_build "$BUILD"
exec "$BUILD/program/pelion" "$@"
