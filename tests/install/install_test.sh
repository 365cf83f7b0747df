#!/usr/bin/env bash
# An installed copy works on its own: installed into a prefix of its own, both programs run from
# there with a bare environment (no build folder on the path, no program folder named), find
# their files under share/tempovirens/. (The desktop's validators check the launcher and the
# AppStream entry in tests of their own.)
#
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "install_test: $*" >&2
    exit 1
}

# Installed under one prefix and then moved: nothing may depend on where it was installed.
cmake --install "$build" --prefix "$work/installed" >/dev/null
prefix=$work/moved
mv "$work/installed" "$prefix"

id=hu.brimcove.tempovirens
for f in bin/tempovirens bin/tempovirens-cli \
    share/tempovirens/data/hun_strings.dat share/tempovirens/data/hun_wise.dat \
    share/tempovirens/themes/metal_big/theme.cfg share/tempovirens/pictures/background/1001.jpg \
    "share/tempovirens/sounds/Bugle Call - Reveille.wav" share/tempovirens/about_hun.html \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man1/tempovirens.1.gz share/man/man1/tempovirens-cli.1.gz \
    share/bash-completion/completions/tempovirens-cli share/doc/tempovirens/copyright; do
    [ -s "$prefix/$f" ] || fail "missing: $f"
done
# The calendar, the sound player and the online services are modules the command loads from
# lib/tempovirens/.
for module in libtempovirens_calendar.so libtempovirens_sound.so libtempovirens_online.so; do
    [ -n "$(find "$prefix" -path "*/tempovirens/$module" -size +0)" ] || fail "missing: $module"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no $size px icon"
done
# The menu shows the launcher with the installed icon and starts the installed program.
launcher=$prefix/share/applications/$id.desktop
grep -qx "Exec=tempovirens" "$launcher" || fail "the launcher starts: $(grep ^Exec= "$launcher")"
grep -qx "Icon=$id" "$launcher" || fail "the launcher's icon: $(grep ^Icon= "$launcher")"
# Nothing installed may lead back into the build.
if grep -rlF "$build" "$prefix" >&2; then fail "files above name the build folder"; fi

mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
run() {
    env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 "$@"
}
out=$(run "$prefix/bin/tempovirens-cli" --today 2026-03-07 names today)
[ "$out" = "Ma március 7., szombat, az év 66. napja a 10. héten, Tamás napja, holnap Zoltán napja." ] ||
    fail "names today from the prefix said: $out"
run "$prefix/bin/tempovirens-cli" --today 2026-03-07 render -o "$work/page.png"
[ "$(head -c 8 "$work/page.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "render wrote no PNG"

for page in tempovirens tempovirens-cli; do
    man -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep . >&2 && fail "$page.1: warnings"
    zcat "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.SH" || fail "$page.1 is no manual page"
done
bash -c "source '$prefix/share/bash-completion/completions/tempovirens-cli' &&
         complete -p tempovirens-cli" >/dev/null || fail "the completion does not load"

# The calendar started at log-on from the prefix: its autostart entry names the installed
# program, never the build.
entry=$work/config/autostart/brimcove-tempovirens.desktop
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" "$prefix/bin/tempovirens" -boot \
    2>"$work/stderr" &
pid=$!
for _ in $(seq 100); do
    [ -s "$entry" ] && break
    sleep 0.2
done
kill -TERM "$pid"
wait "$pid" || fail "the calendar did not end cleanly"
pid=
grep -qx "Exec=$prefix/bin/tempovirens -boot" "$entry" &&
    grep -qx "TryExec=$prefix/bin/tempovirens" "$entry" || fail "autostart entry: $(cat "$entry")"
log=$(cat "$work/home/.local/share/Brimcove Tempovirens/logs/"*.log)
grep -q "Tempovirens loaded successfully" <<<"$log" || fail "the calendar did not load: $log"
echo "install_test: installed copy under $prefix works"
