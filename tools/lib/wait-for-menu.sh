#!/usr/bin/env bash
# Usage: source tools/lib/wait-for-menu.sh; wait_for_menu
# For scripts that run the launcher on an X server of their own ($DISPLAY) and then look at the
# screen: wait_for_menu returns once the launcher's menu is on the screen and painted, and fails
# when that has not happened within 30 seconds.

# The launcher's menu, as the X server knows it: a viewable window of lumbrel.exe without a title
# (the full-screen main window and the menus have none; a message box has the program's name), of
# neither the screen's size nor Wine's 1x1 helper windows' size. Prints its id.
launcher_menu_window() {
  local screen id
  screen=$(xwininfo -root 2>/dev/null | awk '$1 == "Width:" { w = $2 } $1 == "Height:" { h = $2 }
    END { print w "x" h }')
  for id in $(xwininfo -root -tree 2>/dev/null | awk -v screen="$screen" '
      /\(has no name\): \("lumbrel\.exe" "lumbrel\.exe"\)/ {
        split($7, geometry, "+")
        if (geometry[1] != screen && geometry[1] != "1x1") print $1
      }'); do
    # A window may go between the listing and this look at it.
    if [[ $(xwininfo -id "$id" 2>/dev/null) == *'Map State: IsViewable'* ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# The menu paints its picture after it shows, so the screen is taken as ready once two looks a
# moment apart see the same pixels.
wait_for_menu() {
  local bound=30 previous='' current
  local deadline=$((SECONDS + bound))
  until launcher_menu_window >/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      echo "wait_for_menu: no menu on the screen after ${bound}s" >&2
      return 1
    fi
    sleep 0.1
  done
  until current=$(import -window root rgb:- | md5sum) && [ "$current" = "$previous" ]; do
    if [ $SECONDS -ge $deadline ]; then
      echo "wait_for_menu: the screen was still changing after ${bound}s" >&2
      return 1
    fi
    previous=$current
    sleep 0.2
  done
}
