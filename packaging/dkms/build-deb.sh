#!/bin/sh
# Makes korvendale-dkms_VERSION_all.deb: the module's sources where DKMS
# looks for them (/usr/src/korvendale-VERSION), its maintainer scripts, and
# the project's copyright and changelog.
#   build-deb.sh VERSION SOURCE_DIR STAGING_DIR OUTPUT.deb
set -eu

version=$1
src=$2
stage=$3
out=$4

rm -rf "$stage"
root=$stage/root
mkdir -p "$root/DEBIAN" "$root/usr/src/korvendale-$version" "$root/usr/share/doc/korvendale-dkms"

for f in control postinst prerm; do
    sed "s/@KORV_VERSION@/$version/g" "$src/packaging/dkms/$f" >"$root/DEBIAN/$f"
done
chmod 0644 "$root/DEBIAN/control"
chmod 0755 "$root/DEBIAN/postinst" "$root/DEBIAN/prerm"

# Kbuild, Makefile and every source the Kbuild file names.
for f in "$src"/linux/Kbuild "$src"/linux/Makefile "$src"/linux/*.[chS]; do
    install -m 0644 "$f" "$root/usr/src/korvendale-$version/${f##*/}"
done
sed "s/^PACKAGE_VERSION=.*/PACKAGE_VERSION=\"$version\"/" "$src/linux/dkms.conf" \
    >"$root/usr/src/korvendale-$version/dkms.conf"
chmod 0644 "$root/usr/src/korvendale-$version/dkms.conf"

install -m 0644 "$src/packaging/copyright" "$root/usr/share/doc/korvendale-dkms/copyright"
gzip -9n -c "$src/packaging/changelog" >"$root/usr/share/doc/korvendale-dkms/changelog.gz"
chmod 0644 "$root/usr/share/doc/korvendale-dkms/changelog.gz"

dpkg-deb --root-owner-group -Zxz --build "$root" "$out" >/dev/null
