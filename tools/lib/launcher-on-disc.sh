#!/usr/bin/env bash
# Usage: source tools/lib/launcher-on-disc.sh
# The launcher run from a disc in a CD-ROM drive under Wine, one way for every script and test:
#   disc_on_screen PREFIX FOLDER [LETTER]
#       a private Xvfb screen, the Wine prefix PREFIX (made once, then reused) and FOLDER as the
#       disc in CD-ROM drive LETTER (D by default). When the sourcing shell exits, whatever runs in
#       the prefix is ended, then the screen.
#   disc_in_drive PREFIX FOLDER LETTER managed|unmanaged
#       the prefix and the drive alone, for a display of the caller's (a desktop: "managed")
#   disc_without_game BUILD
#       the prefix as before the game's installer ran: no game folder, no installer's record
#       (deleted by BUILD's install_record program)
#   launcher_on_disc
#       runs the launcher from the disc and waits for it, as a user starts it from the drive
#   launcher_start [LOG]
#       starts it in the background, its output to LOG (none by default)
#   launcher_end
#       ends the launcher and whatever else runs in the prefix (what the launcher started)
#   launcher_menu_shot FILE [LOG]
#       starts the launcher, waits for its menu, takes the screen into FILE and ends it all.
#       Returns 1 when no menu showed (FILE then shows what was there instead), 2 when no picture
#       could be taken.
# Being sourced, the functions return non-zero on a failure rather than ending the shell.
disc_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/lib/machine.sh
source "$disc_lib/machine.sh"
# shellcheck source=tools/lib/wait-for-menu.sh
source "$disc_lib/wait-for-menu.sh"
disc_letter=D
launcher_pid=

disc_in_drive() {
  # shellcheck source=tools/lib/wine-prefix.sh
  source "$disc_lib/wine-prefix.sh" "$1" "$4" || return 1
  disc_letter=${3^^}
  "$disc_lib/map-cd-drive.sh" "$disc_letter" "$2"
}

disc_on_screen() {
  # shellcheck source=tools/lib/xvfb.sh
  source "$disc_lib/xvfb.sh" || return 1
  # shellcheck source=tools/lib/wine-prefix.sh
  source "$disc_lib/wine-prefix.sh" "$1" unmanaged || return 1
  # Wine's programs first, while they still have a screen to close their windows on. Set only
  # once WINEPREFIX is the caller's: wineserver -k without it would end another prefix's programs.
  trap 'launcher_end; xvfb_stop' EXIT
  disc_letter=${3:-D}
  disc_letter=${disc_letter^^}
  "$disc_lib/map-cd-drive.sh" "$disc_letter" "$2"
}

disc_without_game() {
  rm -rf "$WINEPREFIX/drive_c/Games"
  wine "$1/bin/install_record.exe" delete >/dev/null 2>&1 </dev/null
}

# A wine command whose output is a pipe can hang (Wine's services may inherit it): the callers
# give a file.
launcher_on_disc() {
  wine "$disc_letter:\\zarn2000\\lumbrel.exe"
}

launcher_start() {
  launcher_on_disc >"${1:-/dev/null}" 2>&1 </dev/null &
  launcher_pid=$!
}

launcher_end() {
  [ -z "$launcher_pid" ] || kill "$launcher_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -z "$launcher_pid" ] || wait "$launcher_pid" 2>/dev/null || true
  launcher_pid=
}

launcher_menu_shot() {
  local status=0
  launcher_start "${2:-}"
  wait_for_menu || status=1
  import -window root "$1" || status=2
  launcher_end
  return $status
}
