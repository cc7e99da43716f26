# Sound: the game's start-up chime (#101, played on the main window's first
# activation) reaches a private PulseAudio server, recorded from its null
# sink; and with no sound server at all the game starts silently, without a
# message box and without hanging.
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
# cookie.
pa_home="$E2E_WORK/pulse-home"
mkdir -p "$pa_home"
socket="$E2E_WORK/runtime/pulse/native"
(
    export HOME="$pa_home" XDG_CONFIG_HOME="$pa_home/.config" XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    export PULSE_RUNTIME_PATH="$E2E_WORK/runtime/pulse" PULSE_STATE_PATH="$pa_home/state"
    exec pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=false --log-target=stderr \
        --load="module-null-sink sink_name=moka" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket"
) >"$E2E_WORK/pulseaudio.log" 2>&1 &
PA_PID=$!
export PULSE_SERVER="unix:$socket"
deadline=$((SECONDS + E2E_TIMEOUT))
until timeout 5 pactl info >/dev/null 2>&1; do
    if ! kill -0 "$PA_PID" 2>/dev/null || ((SECONDS >= deadline)); then
        e2e_skip "PulseAudio does not run here: $(tail -n 3 "$E2E_WORK/pulseaudio.log")"
    fi
    sleep 0.1
done
timeout 5 pactl list short sinks | grep -qw moka || fail "the server runs but has no sink 'moka'"

# Record everything the sink plays, as 8-bit unsigned samples (128 silence).
rec="$E2E_WORK/sink.raw"
parecord --device=moka.monitor --raw --format=u8 --channels=1 --rate=11025 "$rec" \
    2>"$E2E_WORK/parecord.log" &
REC_PID=$!
deadline=$((SECONDS + E2E_TIMEOUT))
until [[ -n $(timeout 5 pactl list short source-outputs 2>/dev/null) ]]; do
    kill -0 "$REC_PID" 2>/dev/null || fail "parecord ended: $(tail -n 3 "$E2E_WORK/parecord.log")"
    ((SECONDS < deadline)) || fail "parecord did not connect to the server"
    sleep 0.1
done
sleep 0.5 # some silence ahead of the game

e2e_start_game
game=$E2E_GAME_PID
e2e_wait_window_titled "$MAIN_TITLE"
main=$WIN_ID
# The chime is 0.73 s long; allow for start-up and the stream's latency.
sleep 2
expect_no_message_box "$game" "with a sound server"
inputs=$(timeout 5 pactl list sink-inputs 2>&1) || fail "pactl cannot list the streams: $inputs"
[[ $inputs == *"Sink Input #"* ]] || fail "the game has no stream open on the sound server"

# In the volume mixer the stream is the game's: its name, icon and role.
for property in 'application.name = "mokaRUNs"' 'application.icon_name = "mokaruns"' 'media.role = "game"'; do
    grep -qF "$property" <<<"$inputs" || fail "the game's stream lacks $property: $(grep -E 'application\.name|media\.role' <<<"$inputs")"
done

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
measure "$rec" 0
e2e_log "recorded $SAMPLES samples; loudest 50 ms: RMS $LOUDEST of 128; $LOUD_WINDOWS windows with sound"
((SAMPLES > 11025)) || fail "the recording holds only $SAMPLES samples"
awk -v r="$LOUDEST" 'BEGIN { exit !(r >= 8) }' ||
    fail "the start-up chime was not heard: loudest 50 ms has RMS $LOUDEST of 128 (silence is 0)"
# The chime lasts 0.73 s: it cannot fill the whole recording, nor a single window.
((LOUD_WINDOWS >= 4)) || fail "only $LOUD_WINDOWS windows of 50 ms hold sound; the chime lasts 0.73 s"

# An idle game keeps no stream running: a few seconds after the chime the
# stream is corked (or closed).
deadline=$((SECONDS + 10))
while :; do
    inputs=$(timeout 5 pactl list sink-inputs 2>&1) || fail "pactl cannot list the streams: $inputs"
    [[ $inputs != *"Sink Input #"* || $inputs == *"Corked: yes"* ]] && break
    ((SECONDS < deadline)) || fail "the idle game's stream still runs: $(grep -E 'Corked|State' <<<"$inputs")"
    sleep 0.2
done
e2e_log "idle: the stream is corked or closed"

# The next effect is still heard: 終了 plays the farewell chime.
mark=$(stat -c %s "$rec")
e2e_click "$main" 360 20
e2e_wait_window_of_pid "$game" 350 84
farewell=$WIN_ID
sleep 1.5
measure "$rec" "$mark"
e2e_log "after the rest: loudest 50 ms RMS $LOUDEST; $LOUD_WINDOWS windows with sound"
awk -v r="$LOUDEST" 'BEGIN { exit !(r >= 8) }' ||
    fail "the farewell chime after the stream rested was not heard: loudest 50 ms has RMS $LOUDEST of 128"
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
