#!/usr/bin/env bash
# Saves made by another user and on a full disk, on real file systems: what the fault
# injection of tst_filewriting cannot show, as folder permissions and disk space are real
# here. Needs the superuser (to act as other users with setpriv and to mount a small tmpfs);
# otherwise it is skipped (exit 77).
#   realfilesystems.sh DEMOROM
# DEMOROM writes the demo cartridge through the editor's one file writer.
set -uo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: needs the superuser, to run as other users and to mount a small tmpfs"
    exit 77
fi
for tool in setpriv mount setfacl getfacl; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

owner=4101 other=4102 team=4200
work="$(mktemp -d)"
chmod 0755 "$work"
# A copy the other users can reach, whatever the permissions on the way to the build.
demorom="$work/demorom"
cp "$1" "$demorom"
disk="$work/disk"
failures=0
cleanup() {
    mountpoint -q "$disk" && umount "$disk"
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Runs DEMOROM as the other user, a member of the team, with the given cache folder.
as_other() { # cache-folder, file
    XDG_CACHE_HOME="$1" setpriv --reuid="$other" --regid="$other" --groups="$team" \
        "$demorom" "$2"
}

expect_status() { # file, "owner:group mode links" expected
    local got
    got="$(stat -c '%u:%g %a %h' "$1")"
    [ "$got" = "$2" ] || fail "$1: $got, expected $2"
}

"$demorom" "$work/expected.nes" >/dev/null || { echo "FAIL: demorom cannot write"; exit 1; }
head -c 16384 /dev/urandom >"$work/old.nes"
mkdir -m 0777 "$work/cache"
chown "$other:$other" "$work/cache"

echo "== a teammate saves in a shared group folder"
shared="$work/shared"
mkdir "$shared"
chown "$owner:$team" "$shared"
chmod 2775 "$shared"
for case in single-name hard-link acl; do
    file="$shared/$case.nes"
    cp "$work/old.nes" "$file"
    chown "$owner:$team" "$file"
    chmod 0664 "$file"
    links=1
    if [ "$case" = hard-link ]; then
        ln "$file" "$shared/$case-second-name.nes"
        links=2
    fi
    [ "$case" = acl ] && setfacl -m "u:4103:rw" "$file"
    as_other "$work/cache" "$file" || fail "$case: the save failed"
    cmp -s "$file" "$work/expected.nes" || fail "$case: not the new bytes"
    expect_status "$file" "$owner:$team 664 $links"
    if [ "$case" = hard-link ]; then
        cmp -s "$shared/$case-second-name.nes" "$work/expected.nes" \
            || fail "hard link: the second name does not see the new bytes"
    fi
    if [ "$case" = acl ]; then
        getfacl -cp "$file" 2>/dev/null | grep -qx "user:4103:rw-" || fail "acl: the ACL is gone"
    fi
done
[ "$(find "$shared" -type f | wc -l)" -eq 4 ] || fail "files left in the shared folder"

echo "== two symbolic links to a file in a folder that refuses new files"
mkdir -m 0555 "$work/readonly"
mkdir "$work/links"
chown "$other" "$work/links"
cp "$work/old.nes" "$work/readonly/game.nes"
chown "$other" "$work/readonly/game.nes"
ln -s "$work/readonly/game.nes" "$work/links/middle.nes"
ln -s middle.nes "$work/links/first.nes"
as_other "$work/cache" "$work/links/first.nes" || fail "links: the save failed"
cmp -s "$work/readonly/game.nes" "$work/expected.nes" || fail "links: not the new bytes"
[ -L "$work/links/first.nes" ] && [ -L "$work/links/middle.nes" ] || fail "links: not links any more"

echo "== a full disk, in a folder that refuses new files"
mkdir "$disk"
mount -t tmpfs -o size=1m tmpfs "$disk" || { echo "SKIP: cannot mount a tmpfs"; exit 77; }
mkdir -m 0755 "$disk/readonly"
mkdir "$disk/cache"
chown "$other" "$disk/cache"
cp "$work/old.nes" "$disk/readonly/game.nes"
chown "$other" "$disk/readonly/game.nes"
dd if=/dev/zero of="$disk/filler" bs=4096 2>/dev/null
for cache in "$work/cache" "$disk/cache"; do
    # The copy of the old bytes goes to the cache: on another disk it can be made and the
    # old bytes come back from it; on the full disk it cannot, and the file is left alone.
    message="$(as_other "$cache" "$disk/readonly/game.nes" 2>&1)" && fail "full disk: the save succeeded"
    echo "$message"
    cmp -s "$disk/readonly/game.nes" "$work/old.nes" || fail "full disk: the old bytes are gone"
    case "$message" in
    *"$disk/readonly/game.nesを保存できませんでした。"*"ディスクの空き容量が足りません。"*) ;;
    *) fail "full disk: the message names neither the file nor the full disk" ;;
    esac
    [ -z "$(find "$cache" -type f)" ] || fail "full disk: a copy was left in $cache"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
