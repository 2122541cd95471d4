#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the project
# needs. Safe to run again: it does nothing when all of them are present.
set -euo pipefail

packages=(
    # build
    cmake g++ make pkg-config
    # the tool's libraries and resources
    libcups2-dev libplist-dev gettext
    # tests and checks
    googletest libgtest-dev cups-client clang-format
    # the real SNMP agent that the SNMP channel is checked against
    snmpd snmp
    # DNS-SD queues: the Avahi client library, and a real Avahi daemon on a
    # private D-Bus bus with avahi-publish for the tests
    libavahi-client-dev avahi-daemon avahi-utils dbus iproute2
    # USB queues: libusb, and umockdev to fake a USB printer in user space for the tests
    libusb-1.0-0-dev umockdev libumockdev-dev
    # the print-dialog panels: Qt 6 Widgets, run-time .ui loading (UiTools needs
    # the OpenGL development files to configure) and the translation tools
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6opengl6-dev
    libxkbcommon-dev
    # velprint's tests run a private CUPS server with the filters a real
    # queue uses
    cups
    # real PPDs of many makers for the corpus checks (cupstestppd is in cups-client)
    openprinting-ppds printer-driver-postscript-hp hplip-data
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
