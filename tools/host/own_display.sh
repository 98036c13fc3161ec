# Sourced by the scripts that run Windows programs under Wine outside the test
# harness. start_own_display FIRST: unless DISPLAY is set, starts an Xvfb on
# the first free display number from FIRST on and exports DISPLAY; xvfb_pid
# then names that server for the caller's clean-up (empty when none started).
xvfb_pid=""
start_own_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  n=$1
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  i=0
  while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  DISPLAY=":$n"
  export DISPLAY
}
