#!/usr/bin/env bash
# Usage: source tools/lib/xvfb.sh
# Starts Xvfb (1024x768, 24-bit) on a free display number, exports DISPLAY, and stops it when the
# sourcing shell exits. Being sourced, it returns 1 when no display number is free rather than
# ending the shell.
xvfb_display=
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    xvfb_display=":$n"
    break
  fi
done
[ -n "$xvfb_display" ] || { echo "no free X display number" >&2; return 1; }
Xvfb "$xvfb_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null' EXIT
export DISPLAY=$xvfb_display
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
