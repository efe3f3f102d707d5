#!/usr/bin/env bash
# Usage: source tools/lib/xvfb.sh
# Starts Xvfb (1024x768, 24-bit) on a free display number, exports DISPLAY, and stops it when the
# sourcing shell exits (xvfb_stop stops it sooner). Being sourced, it returns 1 rather than ending
# the shell when no display number is free, or when the server does not answer within 10 seconds
# (it is then stopped): every caller goes on to draw there, and would fail later and obscurely.
xvfb_display=
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    xvfb_display=":$n"
    break
  fi
done
[ -n "$xvfb_display" ] || { echo "xvfb.sh: no free X display number" >&2; return 1; }
Xvfb "$xvfb_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!

xvfb_stop() {
  if kill "$xvfb_pid" 2>/dev/null; then wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap xvfb_stop EXIT
xvfb_caller_display=${DISPLAY-}
export DISPLAY=$xvfb_display

xvfb_deadline=$((SECONDS + 10))
until xdpyinfo >/dev/null 2>&1; do
  # A server that has died (another one took the number first) will never answer.
  if [ $SECONDS -ge $xvfb_deadline ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "xvfb.sh: Xvfb on display $xvfb_display did not answer within 10 seconds;" \
      "it was stopped" >&2
    xvfb_stop
    # The caller's display, if it had one, rather than a dead one.
    if [ -n "$xvfb_caller_display" ]; then DISPLAY=$xvfb_caller_display; else unset DISPLAY; fi
    return 1
  fi
  sleep 0.1
done
