#!/usr/bin/env bash
# Writes the three manifests of Korvane's winget package for a built setup:
#   winget_manifests.sh SETUP.EXE OUTDIR PRODUCT_FACTS.SH
# version, default locale and installer (nullsoft, x64, silent switches, the setup's SHA-256, and
# the product code winget matches the installed program by: the uninstall key's name, which is the
# product's name). Names and version come from the build's product facts, as the installer's do.
set -euo pipefail
setup=$1
out=$2
. "$3"
id="$product_name.$product_name"
manifest_version=1.6.0
sha=$(sha256sum "$setup" | cut -d' ' -f1 | tr a-f A-F)
mkdir -p "$out"
header() {
  printf '# Written by scripts/build for %s\n' "$(basename "$setup")"
  printf 'PackageIdentifier: %s\nPackageVersion: %s\n' "$id" "$file_version"
}
{
  header
  printf 'DefaultLocale: en-US\nManifestType: version\nManifestVersion: %s\n' "$manifest_version"
} >"$out/$id.yaml"
{
  header
  cat <<EOT
PackageLocale: en-US
Publisher: $publisher_name
PackageName: $product_name
License: Proprietary
ShortDescription: Hard disk temperatures in the notification area, with alarms, logs, event log entries and Prometheus metrics.
Moniker: korvane
Tags:
  - hard-disk
  - temperature
  - smart
  - monitoring
ManifestType: defaultLocale
ManifestVersion: $manifest_version
EOT
} >"$out/$id.locale.en-US.yaml"
{
  header
  cat <<EOT
InstallerType: nullsoft
Scope: machine
InstallModes:
  - interactive
  - silent
  - silentWithProgress
InstallerSwitches:
  Silent: /S
  SilentWithProgress: /S
UpgradeBehavior: install
ProductCode: $product_name
AppsAndFeaturesEntries:
  - DisplayName: $product_name $version_short
    Publisher: $publisher_name
    DisplayVersion: $file_version
    ProductCode: $product_name
Installers:
  - Architecture: x64
    InstallerUrl: ${web_page_address}download/$(basename "$setup")
    InstallerSha256: $sha
ManifestType: installer
ManifestVersion: $manifest_version
EOT
} >"$out/$id.installer.yaml"
