# SPDX-FileCopyrightText: 2026 mokaRUNs developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sound: the game's start-up chime (#101, played on the main window's first
# activation) reaches a private PulseAudio server, recorded from its null
# sink; after that server is killed and started again, the game's effects
# are heard on the new one, its stream named as before; and with no sound
# server at all the game starts silently, without a message box and without
# hanging.
#
# When PulseAudio cannot run here, the test says why and is skipped (a
# failure under CI=true); every other problem fails it.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"

for tool in pulseaudio pactl parecord od awk; do
    command -v "$tool" >/dev/null || e2e_skip "$tool is not installed"
done

e2e_begin "${1:-}"

PA_PID=""
REC_PID=""
# Ends the server and the recorder, then hands over to the common clean-up
# with the exit status untouched.
# shellcheck disable=SC2317 # run by the trap
sound_cleanup() {
    local rc=$?
    [[ -n $REC_PID ]] && kill "$REC_PID" 2>/dev/null
    [[ -n $PA_PID ]] && kill "$PA_PID" 2>/dev/null
    [[ -n $REC_PID ]] && wait "$REC_PID" 2>/dev/null
    [[ -n $PA_PID ]] && wait "$PA_PID" 2>/dev/null
    (exit "$rc")
    e2e_cleanup
}
trap sound_cleanup EXIT

# The message box the game would show when its sound fails: titled
# "mokaRUNs" like the splash (280×200), which is not one. Fails when process
# $1 shows one.
expect_no_message_box() {
    local id
    for id in $(e2e_windows_of_pid "$1"); do
        [[ $(e2e_window_name "$id") == "mokaRUNs" ]] || continue
        e2e_geometry "$id" || continue
        ((WIN_W == 280 && WIN_H == 200)) || fail "the game showed a message box ($2)"
    done
}

# --- With a sound server -------------------------------------------------
# A private server: its socket lands in the runtime folder the game is given
# (XDG_RUNTIME_DIR), its cookie and state in the test folder; a null sink
# named "moka" is the only output. Anonymous access, so no client needs the
# cookie. Started again on the same socket, it stands for a sound server
# that restarted (an update, a crash).
pa_home="$E2E_WORK/pulse-home"
mkdir -p "$pa_home"
socket="$E2E_WORK/runtime/pulse/native"
export PULSE_SERVER="unix:$socket"
start_pulse() {
    (
        export HOME="$pa_home" XDG_CONFIG_HOME="$pa_home/.config" XDG_RUNTIME_DIR="$E2E_WORK/runtime"
        export PULSE_RUNTIME_PATH="$E2E_WORK/runtime/pulse" PULSE_STATE_PATH="$pa_home/state"
        exec pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit \
            --use-pid-file=false --log-target=stderr \
            --load="module-null-sink sink_name=moka" \
            --load="module-native-protocol-unix auth-anonymous=1 socket=$socket"
    ) >>"$E2E_WORK/pulseaudio.log" 2>&1 &
    PA_PID=$!
    local deadline=$((SECONDS + E2E_TIMEOUT))
    until timeout 5 pactl info >/dev/null 2>&1; do
        if ! kill -0 "$PA_PID" 2>/dev/null || ((SECONDS >= deadline)); then
            e2e_skip "PulseAudio does not run here: $(tail -n 3 "$E2E_WORK/pulseaudio.log")"
        fi
        sleep 0.1
    done
    timeout 5 pactl list short sinks | grep -qw moka || fail "the server runs but has no sink 'moka'"
}

# Records everything the sink plays into file $1, as 8-bit unsigned samples
# (128 silence).
start_recorder() {
    parecord --device=moka.monitor --raw --format=u8 --channels=1 --rate=11025 "$1" \
        2>>"$E2E_WORK/parecord.log" &
    REC_PID=$!
    local deadline=$((SECONDS + E2E_TIMEOUT))
    until [[ -n $(timeout 5 pactl list short source-outputs 2>/dev/null) ]]; do
        kill -0 "$REC_PID" 2>/dev/null || fail "parecord ended: $(tail -n 3 "$E2E_WORK/parecord.log")"
        ((SECONDS < deadline)) || fail "parecord did not connect to the server"
        sleep 0.1
    done
}

# The loudest 50 ms of recording $1 from byte $2 on, as RMS around the
# midpoint 128, and how many 50 ms windows hold sound at all: LOUDEST,
# LOUD_WINDOWS, SAMPLES.
measure() {
    local result
    result=$(tail -c +$(($2 + 1)) "$1" | od -An -v -t u1 -w1 | awk '
        { d = $1 - 128; s += d * d; n++
          if (n % 551 == 0) { r = sqrt(s / 551); if (r > max) max = r; if (r > 4) loud++; s = 0 } }
        END { printf "%.1f %d %d\n", max, loud, n }')
    read -r LOUDEST LOUD_WINDOWS SAMPLES <<<"$result"
    [[ $LOUD_WINDOWS =~ ^[0-9]+$ && $SAMPLES =~ ^[0-9]+$ ]] || fail "cannot measure the recording: $result"
}

# True once recording $1 from byte $2 on holds an effect heard (its loudest
# 50 ms at RMS 8 or more) over at least $3 windows of 50 ms, and $4 samples
# in all. The recorder hands its samples over in pieces of about 1.6 s, so
# callers poll.
heard() {
    measure "$1" "$2"
    awk -v r="$LOUDEST" 'BEGIN { exit !(r >= 8) }' && ((LOUD_WINDOWS >= $3 && SAMPLES >= $4))
}

# Polls until heard $1 $2 $3 $4; fails naming the effect as $5.
await_heard() {
    local deadline=$((SECONDS + E2E_TIMEOUT))
    until heard "$1" "$2" "$3" "$4"; do
        ((SECONDS < deadline)) ||
            fail "$5 was not heard: $SAMPLES samples recorded, loudest 50 ms has RMS $LOUDEST of 128 (silence is 0), $LOUD_WINDOWS windows with sound"
        sleep 0.2
    done
}

# Polls until the game has a stream on the server, and checks that in the
# volume mixer it is the game's: its name, icon and role.
expect_stream_named() {
    local inputs deadline=$((SECONDS + E2E_TIMEOUT)) property
    while :; do
        inputs=$(timeout 5 pactl list sink-inputs 2>&1) || fail "pactl cannot list the streams: $inputs"
        [[ $inputs == *"Sink Input #"* ]] && break
        ((SECONDS < deadline)) || fail "the game has no stream open on the sound server $1"
        sleep 0.2
    done
    for property in 'application.name = "mokaRUNs"' 'application.icon_name = "mokaruns"' 'media.role = "game"'; do
        grep -qF "$property" <<<"$inputs" ||
            fail "the game's stream $1 lacks $property: $(grep -E 'application\.name|media\.role' <<<"$inputs")"
    done
}

# An idle game keeps no stream running: a few seconds after the last effect
# the stream is corked (or closed).
expect_stream_rests() {
    local inputs deadline=$((SECONDS + 10))
    while :; do
        inputs=$(timeout 5 pactl list sink-inputs 2>&1) || fail "pactl cannot list the streams: $inputs"
        [[ $inputs != *"Sink Input #"* || $inputs == *"Corked: yes"* ]] && break
        ((SECONDS < deadline)) || fail "the idle game's stream still runs $1: $(grep -E 'Corked|State' <<<"$inputs")"
        sleep 0.2
    done
    e2e_log "idle $1: the stream is corked or closed"
}

start_pulse
rec="$E2E_WORK/sink.raw"
start_recorder "$rec"
sleep 0.5 # some silence ahead of the game

e2e_start_game
game=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
# The chime lasts 0.73 s: at least 4 windows of 50 ms, and more than a
# second of recording in all.
await_heard "$rec" 0 4 11026 "the start-up chime"
e2e_log "recorded $SAMPLES samples; loudest 50 ms: RMS $LOUDEST of 128; $LOUD_WINDOWS windows with sound"
expect_no_message_box "$game" "with a sound server"
expect_stream_named "at start-up"
expect_stream_rests "after the chime"

# --- The sound server restarts ---------------------------------------------------
# It goes away as in a crash; started again, it has none of the game's
# streams. The game opens a new one with the next effect it plays once the
# server is back: "ゲーム" plays the chime and opens the registration dialog,
# cancelled at once. Effects played while the game has not yet found the
# new server are not heard, so it is tried until one is.
kill -KILL "$PA_PID"
wait "$PA_PID" 2>/dev/null
wait "$REC_PID" 2>/dev/null
REC_PID=""
start_pulse
rec="$E2E_WORK/sink-restarted.raw"
start_recorder "$rec"
e2e_alive "$game" || fail "the game ended when the sound server went away"
restarted=$SECONDS
tries=0
deadline=$((SECONDS + 30))
while :; do
    ((SECONDS < deadline)) || fail "no effect was heard in the $tries tries within 30s after the sound server restarted"
    tries=$((tries + 1))
    mark=$(stat -c %s "$rec")
    e2e_click "$main" 360 68 # ゲーム
    e2e_wait_window_of_pid "$game" 350 154
    e2e_click "$WIN_ID" 112 128 # キャンセル
    e2e_wait_window_gone "$WIN_ID"
    # The recorder's next piece tells whether this one was heard.
    until ((SECONDS >= deadline)) || { measure "$rec" "$mark" && ((SAMPLES >= 11025 * 2)); }; do
        sleep 0.2
    done
    heard "$rec" "$mark" 4 0 && break
done
e2e_log "after the restart an effect was heard at try $tries, $((SECONDS - restarted))s after the server came back"
expect_stream_named "after the server restarted"
expect_no_message_box "$game" "after the server restarted"
expect_stream_rests "after the restart"

# The next effect after the rest is still heard: 終了 plays the farewell chime.
mark=$(stat -c %s "$rec")
e2e_click "$main" 360 20
e2e_wait_window_of_pid "$game" 350 84
farewell=$WIN_ID
await_heard "$rec" "$mark" 4 0 "the farewell chime after the stream rested"
e2e_log "after the rest: loudest 50 ms RMS $LOUDEST; $LOUD_WINDOWS windows with sound"
kill "$REC_PID" 2>/dev/null
wait "$REC_PID" 2>/dev/null
REC_PID=""
e2e_click "$farewell" 174 54
e2e_wait_exit "$game" 5 "the game, after 終了 and OK on the farewell,"
((EXIT_CODE == 0)) || fail "the game exited with code $EXIT_CODE after 終了, want 0"

# --- Without any sound server ------------------------------------------------
kill "$PA_PID" 2>/dev/null
wait "$PA_PID" 2>/dev/null
PA_PID=""
export PULSE_SERVER="unix:$E2E_WORK/no-such-server"
started=$SECONDS
e2e_start_game
game=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
e2e_log "without a server the main window came up after $((SECONDS - started))s"
sleep 1
expect_no_message_box "$game" "without a sound server"
e2e_alive "$game" || fail "the game ended without a sound server"
e2e_end_game "$game" "$main"

e2e_pass
