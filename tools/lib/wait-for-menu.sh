#!/usr/bin/env bash
# Usage: source tools/lib/wait-for-menu.sh; wait_for_menu
# For scripts that run the launcher on an X server of their own ($DISPLAY) and then look at the
# screen: wait_for_menu returns once the launcher's menu is on the screen and painted, and fails
# when that has not happened within 30 seconds. tools/lib/launcher-on-disc.sh sources it.

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

# Whether the menu has begun to paint: until it does, its window shows what lies under it, the
# main window's plain background, in one colour; a painted menu has its buttons' several.
launcher_menu_painted() {
  local id colours
  id=$(launcher_menu_window) || return 1
  colours=$(import -window "$id" -format '%k' info: 2>/dev/null) || return 1
  [ "${colours:-0}" -gt 2 ]
}

# The menu paints its picture after it shows, so the screen is taken as ready once the menu has
# begun to paint and two looks a moment apart see the same pixels. Same pixels alone are not
# enough: a launcher slowed down by a busy machine can show its windows unpainted for longer
# than a moment.
wait_for_menu() {
  local bound=30 previous='' current
  local deadline=$((SECONDS + bound))
  until launcher_menu_painted; do
    if [ $SECONDS -ge $deadline ]; then
      echo "wait_for_menu: no menu painted on the screen after ${bound}s" >&2
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
