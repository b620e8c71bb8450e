#!/usr/bin/env bash
# On a machine that has none of the build's tools, scripts/test.sh and scripts/run.sh reach
# scripts/install-deps.sh, which asks apt-get for exactly the packages the README lists, and a
# failed installation ends them with a message on standard error. install-deps.sh tries
# wine32:i386 once per machine and remembers a failure. The PATH holds links to the basic
# commands of a bare Debian and stand-ins for the package tools.
#
#   check-bare-start.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

bin=$work/bin
mkdir "$bin" "$work/home"
for command in bash sh env cat cp mv rm mkdir rmdir ln ls chmod touch dirname basename mktemp readlink \
    grep sed awk tr od cut head tail sort uniq wc seq sleep date id stat find xargs nproc timeout kill \
    mount umount mountpoint uname; do
    target=$(command -v "$command") && ln -s "$target" "$bin/$command"
done
# dpkg-query knows only the packages in STAND_IN_INSTALLED; apt-get and dpkg record what they
# are asked in STAND_IN_LOG, and apt-get fails an installation with STAND_IN_INSTALL_STATUS (so
# that nothing goes on to build); sudo runs its command.
cat >"$bin/dpkg-query" <<'EOF'
#!/bin/sh
for package; do :; done
case " $STAND_IN_INSTALLED " in *" $package "*) printf 'install ok installed'; exit 0 ;; esac
echo "dpkg-query: no packages found matching $package" >&2
exit 1
EOF
cat >"$bin/apt-get" <<'EOF'
#!/bin/sh
echo "apt-get $*" >>"$STAND_IN_LOG"
case " $* " in *" install "*) echo "E: Unable to locate package (stand-in)" >&2; exit "$STAND_IN_INSTALL_STATUS" ;; esac
EOF
cat >"$bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" = --print-foreign-architectures ] || echo "dpkg $*" >>"$STAND_IN_LOG"
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
chmod +x "$bin/dpkg-query" "$bin/apt-get" "$bin/dpkg" "$bin/sudo"

readme_packages=$(sed -n 's/^    apt-get install //p' "$root/README.md" | tr ' ' '\n' | sed '/^$/d' | sort)
[ -n "$readme_packages" ] || fail "the README has no line '    apt-get install <packages>'"
log=$work/asked
# Runs a script in an environment as bare as a new user's, with the stand-ins.
bare() {
    env -i PATH="$bin" HOME="$work/home" BUILD_DIR="$work/build" STAND_IN_LOG="$log" \
        STAND_IN_INSTALLED="${installed:-}" STAND_IN_INSTALL_STATUS=100 LAUNCHER_WINE32_MEMO="$work/wine32-memo" \
        ${kernel:+LAUNCHER_KERNEL_RUNS_32BIT=$kernel} timeout 120 "$@" >"$work/out" 2>"$work/err"
}

for script in test.sh run.sh; do
    rm -f "$log"
    bare "$root/scripts/$script"
    status=$?
    asked=$(sed -n 's/^apt-get install -y -q //p' "$log" 2>/dev/null | tr ' ' '\n' | sed '/^$/d' | sort)
    if [ -z "$asked" ]; then
        fail "$script (status $status) never asked apt-get to install anything; it said:"; cat "$work/out" "$work/err"
        continue
    fi
    [ "$asked" = "$readme_packages" ] ||
        fail "$script asked for other packages than the README lists: asked" $asked "; listed" $readme_packages
    [ $status -ne 0 ] || fail "$script went on (status 0) after the installation failed"
    grep -q "install-deps.sh: apt-get install failed" "$work/err" ||
        { fail "$script did not say on standard error that the installation failed:"; cat "$work/err"; }
done

# With the packages installed and a kernel that runs 32-bit programs, a failed wine32:i386
# costs one attempt: the second run asks nothing and the reason reaches the Windows 98 line.
rm -f "$log"
installed=$(echo $readme_packages) kernel=yes
bare "$root/scripts/install-deps.sh" || { fail "install-deps.sh failed when wine32:i386 could not be installed:"; cat "$work/err"; }
first=$(cat "$log" 2>/dev/null)
grep -q "^apt-get install -y -q wine32:i386$" <<<"$first" || fail "wine32:i386 was not tried: $first"
grep -q "^dpkg --remove-architecture i386$" <<<"$first" || fail "the i386 architecture added for wine32 stayed: $first"
grep -q "Unable to locate package" "$work/wine32-memo" 2>/dev/null || fail "the failure was not remembered with its reason"
bare "$root/scripts/install-deps.sh" || fail "the second install-deps.sh failed"
[ "$(cat "$log" 2>/dev/null)" = "$first" ] || fail "wine32:i386 was tried again: $(cat "$log")"
bare bash -c 'source "$0/scripts/common.sh"; win32_wine_available; echo "$win32_wine_reason"' "$root"
[ -x /usr/lib/wine/wine ] || grep -q "could not be installed on this machine" "$work/out" ||
    fail "the reason for the 64-bit launcher in the Windows 98 run does not say why: $(cat "$work/out")"

[ $failed -eq 0 ] && echo "a bare machine reaches install-deps.sh, which asks for every package the README lists and tries wine32:i386 once"
exit $failed
