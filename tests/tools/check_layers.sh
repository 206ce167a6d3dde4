#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or when a folder of
# the Qt-free core includes Qt, Xlib or GLib. Usage: check_layers.sh SRC_DIR
set -uo pipefail
src=${1:?source folder}

# Folder -> the folders its files may include (its own included).
declare -A allowed=(
  [base]="base"
  [settings]="base settings"
  [calendar]="base settings calendar"
  [image]="base settings image"
  [shell]="base settings shell"
  [render]="base settings calendar image render"
  [wallpaper]="base settings calendar image render wallpaper"
  [app]="base settings calendar image render wallpaper shell app"
  [platform]="base settings calendar image render wallpaper shell platform"
  [ui]="base settings calendar image render wallpaper shell app ui"
  [main]="base settings calendar image render wallpaper shell app platform ui main"
)
core="base settings calendar image shell render wallpaper app"

status=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  folder=${rel%%/*}
  [[ -n ${allowed[$folder]+x} ]] || { echo "$rel: folder '$folder' has no layer"; status=1; continue; }
  while IFS=: read -r line target; do
    top=${target%%/*}
    [[ $target == */* ]] || continue
    [[ -n ${allowed[$top]+x} ]] || continue
    if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
      echo "$rel:$line: $folder/ must not include $target"
      status=1
    fi
  done < <(grep -n '^#include "' "$file" | sed -E 's/^([0-9]+):#include "([^"]+)".*/\1:\2/')
  if [[ " $core " == *" $folder "* ]] &&
     grep -nE '^#include <(Q[A-Za-z]*|qt[a-z]*/|X11/|gio/|glib)' "$file" >/dev/null; then
    grep -nE '^#include <(Q[A-Za-z]*|qt[a-z]*/|X11/|gio/|glib)' "$file" |
      sed "s|^|$rel:|; s|\$|  (the core stays free of Qt, Xlib and GLib)|"
    status=1
  fi
done < <(find "$src" -name '*.h' -o -name '*.cpp' -o -name '*.h.in' | sort)
exit $status
