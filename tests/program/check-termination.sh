#!/usr/bin/env bash
# Ends the program with signals as a logout, `kill` or Ctrl+C would, and checks that it ends within
# moments, removes its work folder, and writes unsaved markers to a recovery file exactly as a
# save would have written them, even while a dialog waits for an answer. Also checks that a start
# reclaims the work folders of programs killed outright and keeps those of running ones.
# Usage: check-termination.sh BYZEL BYZEL-CLI
set -euo pipefail
program=$1
cli=$2
tmp=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir "$tmp/work" "$tmp/config" "$tmp/data" "$tmp/runtime" "$tmp/files"
chmod 700 "$tmp/runtime"
head -c 100000 /dev/urandom > "$tmp/files/data.bin"
head -c 70000 /dev/urandom > "$tmp/files/other.bin"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

export TMPDIR=$tmp/work XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data \
    XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=offscreen

start() { # start NAME ARGS... : runs the program, its standard error in $tmp/NAME.err
    local name=$1
    shift
    "$program" "$@" 2>"$tmp/$name.err" &
    pid=$!
    pids+=("$pid")
}
work_folders() { find "$tmp/work" -mindepth 1 -maxdepth 1 -name 'Byzel-*' | sort; }
wait_for_working_copies() { # wait_for_working_copies COUNT
    for _ in $(seq 100); do
        [ "$(find "$tmp/work" -path '*/Byzel-*/Byzel.tmp' | wc -l)" -ge "$1" ] && return 0
        sleep 0.1
    done
    return 1
}
# Whether a working copy holds a file's bytes, allowing a copy still under way a few seconds.
copy_of() { # copy_of COPY FILE
    for _ in $(seq 50); do
        cmp -s "$1" "$2" && return 0
        sleep 0.1
    done
    return 1
}
# Ends pid with the signal; fails when it is still running ten seconds later.
end_with() { # end_with SIGNAL PID WHAT
    kill "-$1" "$2"
    for _ in $(seq 100); do
        kill -0 "$2" 2>/dev/null || { wait "$2" || true; return 0; }
        sleep 0.1
    done
    fail "$3: still running 10 s after SIG$1"
    kill -9 "$2"
    wait "$2" || true
}
# A marker file for files/data.bin, saved while the dump file was elsewhere, so opening it finds
# the dump file beside it and leaves the work changed until it is saved.
markers_json() { # markers_json DUMPPATH
    cat <<JSON
{"dumpPath": "$1", "linkLines": 1, "linkedScrolling": 0,
 "markers": [{"start": 0, "end": 3, "color": "#FF0000", "remark": "ヘッダ"},
             {"start": 16, "end": 31, "color": "#00FF00", "remark": "本体 (body)"}]}
JSON
}
markers_json /gone/elsewhere/data.bin > "$tmp/moved.json"
markers_json "$tmp/files/data.bin" > "$tmp/here.json"
"$cli" import-markers "$tmp/moved.json" -o "$tmp/files/work.mkg"
# What saving the work would write: the same markers with the dump file's new place.
"$cli" import-markers "$tmp/here.json" -o "$tmp/expected.mkg"
cp "$tmp/files/work.mkg" "$tmp/original.mkg"

# 1. An unchanged work: SIGTERM ends it with no recovery file, its work folder removed.
start plain "$tmp/files/data.bin"
wait_for_working_copies 1 || fail "no working copy made"
end_with TERM "$pid" "unchanged work"
[ -z "$(work_folders)" ] || fail "work folder left behind: $(work_folders)"
[ -z "$(find "$tmp" -name '*.recovered*')" ] || fail "recovery file for an unchanged work"

# 2. A changed work: SIGTERM ends it; the markers are in work.recovered.mkg, byte for byte what a
#    save writes; the user's file is untouched; standard error names the recovery file.
start changed "$tmp/files/work.mkg"
wait_for_working_copies 1 || fail "no working copy made for the changed work"
end_with TERM "$pid" "changed work"
[ -z "$(work_folders)" ] || fail "work folder left behind by the changed work"
if cmp -s "$tmp/expected.mkg" "$tmp/files/work.recovered.mkg"; then
    echo "recovery file holds what a save writes"
else
    fail "recovery file missing or not what a save writes"
fi
cmp -s "$tmp/original.mkg" "$tmp/files/work.mkg" || fail "the user's marker file was changed"
grep -q "$tmp/files/work.recovered.mkg" "$tmp/changed.err" ||
    fail "standard error does not name the recovery file: $(cat "$tmp/changed.err")"
grep -qF "work.recovered.mkg" "$tmp/config/Veltran/Byzel.conf" ||
    fail "the recovery file is not noted for the next start"

# 3. A changed work while a modal message waits for an answer (the next start tells about the
#    recovery file just noted): SIGINT still ends it, with the second recovery file beside the
#    first, which stays.
start modal "$tmp/files/work.mkg"
wait_for_working_copies 1 || fail "no working copy made for the modal case"
sleep 1
end_with INT "$pid" "changed work with a message open"
[ -z "$(work_folders)" ] || fail "work folder left behind with a message open"
cmp -s "$tmp/expected.mkg" "$tmp/files/work.recovered-2.mkg" ||
    fail "no second recovery file while a message was open"
cmp -s "$tmp/expected.mkg" "$tmp/files/work.recovered.mkg" || fail "first recovery file changed"
grep -qF "work.recovered-2.mkg" "$tmp/config/Veltran/Byzel.conf" ||
    fail "the second recovery file is not noted"
grep -qF "work.recovered.mkg" "$tmp/config/Veltran/Byzel.conf" &&
    fail "the first recovery file is still noted after it was told"

# 4. Start-up reclaims a folder whose lock nobody holds and keeps a running program's folder; two
#    programs at once on different files each read a working copy of their own file.
rm "$tmp/config/Veltran/Byzel.conf"
stale=$tmp/work/Byzel-st4LE0
mkdir "$stale" && touch "$stale/Byzel.lock" "$stale/Temp.tmp"
start first "$tmp/files/data.bin"
first=$pid
wait_for_working_copies 1 || fail "no working copy for the first program"
[ -d "$stale" ] && fail "stale work folder kept at start"
running=$(work_folders)
start second "$tmp/files/other.bin"
second=$pid
wait_for_working_copies 2 || fail "no working copy for the second program"
for folder in $running; do
    copy_of "$folder/Byzel.tmp" "$tmp/files/data.bin" ||
        fail "the first program's working copy was taken or changed: $folder"
done
[ "$(work_folders | wc -l)" -eq 2 ] || fail "expected two work folders: $(work_folders)"
for folder in $(work_folders); do
    case " $running " in *" $folder "*) continue ;; esac
    copy_of "$folder/Byzel.tmp" "$tmp/files/other.bin" ||
        fail "the second program does not read a copy of its own file: $folder"
done
end_with HUP "$first" "first program"
end_with TERM "$second" "second program"
[ -z "$(work_folders)" ] || fail "work folders left behind: $(work_folders)"

[ "$failures" -eq 0 ] || exit 1
echo "signals end the program, unsaved markers are recovered, stale folders are reclaimed"
