#!/bin/sh
# Golden outputs of the example project: a rename cycle run afresh in a
# temporary copy of examples/ and compared byte for byte with tests/golden.
#
#   1. a first generation;
#   2. user code written into the event files, Main.pb and an include file of
#      the user's, a gadget and a menu item renamed in the form source;
#   3. a second generation that binds both renames.
#
# After each run the whole project folder is compared with
# tests/golden/<run>/ (a missing or an extra file fails too) and the run's log
# with tests/golden/<run>.log; a difference is printed as a unified diff.
# With --update the golden files are rewritten from this run instead (review
# the diff before committing).
#
# Usage: golden_outputs.sh QUILLON SOURCE_DIR [--update]
set -u
program=$1 source=$2 mode=${3:-compare}
golden=$source/tests/golden
case $mode in compare|--update) ;; *) echo "unknown switch $mode"; exit 2 ;; esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
project=$work/project
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cp -R "$source/examples" "$project"
# The example's .gitignore names the generated files; inside tests/golden it
# would hide them from git. It is an input the runs never write: it only has to
# stay as it was.
gitignore_before=$(cat "$project/.gitignore")
mkdir "$work/home"
: >"$work/UserList.INI"

# One generation with a fixed environment and an empty user gadget list (not
# the one of the settings folder, which differs from machine to machine). The
# log names the temporary folder; it becomes the token @PROJECT@.
generate() {
  name=$1
  shift
  env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 \
    "$program" --generate "$project/Example.pbm" --user-list "$work/UserList.INI" "$@" \
    >"$work/$name.raw" 2>"$work/$name.err"
  status=$?
  [ $status = 0 ] || fail "$name: exit status $status"
  [ -s "$work/$name.err" ] && { cat "$work/$name.err"; fail "$name: output on stderr"; }
  awk -v dir="$project" '{
        out = ""
        while ((at = index($0, dir)) > 0) {
          out = out substr($0, 1, at - 1) "@PROJECT@"
          $0 = substr($0, at + length(dir))
        }
        print out $0
      }' "$work/$name.raw" >"$work/$name.log"
  snapshot "$name"
}

# A copy of the project folder as the run left it, without the .gitignore.
snapshot() {
  cp -R "$project" "$work/$1"
  if [ "$(cat "$work/$1/.gitignore")" != "$gitignore_before" ]; then
    fail "$1: the project's .gitignore changed"
  fi
  rm "$work/$1/.gitignore"
}

# Inserts LINES after the one line of FILE that is exactly AFTER; fails when
# there is not exactly one such line (the generated text changed shape).
insert_after() {
  file=$1 after=$2 lines=$3
  count=$(grep -c -x -F -e "$after" "$file")
  if [ "$count" != 1 ]; then
    fail "user code: $count lines '$after' in $(basename "$file")"
    return
  fi
  awk -v after="$after" -v lines="$lines" '{ print } $0 == after { print lines }' \
    "$file" >"$file.new" && mv "$file.new" "$file"
}

# Replaces every whole word OLD by NEW in FILE (a form rename in the designer).
rename_in_form() {
  sed "s/\\b$2\\b/$3/g" "$1" >"$1.new" && mv "$1.new" "$1"
}

generate first-run

# What a user does between the runs: fill in event procedures (they use the
# constants about to be renamed), include a file of their own, rename.
insert_after "$project/EventGadget.pb" 'Procedure EventGadget_WinMain_Btn_Greet(EventType)' \
'  ; greets once, then the button has done its job
  Protected name.s = GetGadgetText(#WinMain_Str_Name)
  AddGadgetItem(#WinMain_List_Log, -1, "Hello, " + name)
  DisableGadget(#WinMain_Btn_Greet, #True)'
insert_after "$project/EventMenu.pb" 'Procedure EventMenu_WinMain_Menu_About()' \
'  Open_WinAbout()'
insert_after "$project/EventMenu.pb" 'Procedure EventMenu_WinMain_Menu_Quit()' \
'  If MessageRequester("Quit", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    ExitApplication = 1
  EndIf'
insert_after "$project/EventWindow.pb" 'Procedure EventSize_WinMain()' \
'  ResizeGadget(#WinMain_Btn_Greet, WindowWidth(#WinMain) - 90, #PB_Ignore, #PB_Ignore, #PB_Ignore)'
insert_after "$project/Main.pb" ';IncludeFile "???.pb"' \
'IncludeFile "UserCode.pb"'
printf '%s\n' \
  '; Code of my own: Quillon renames the constants it binds here too.' \
  '' \
  'Procedure EnableGreeting(on)' \
  '  DisableGadget(#WinMain_Btn_Greet, Bool(Not on))' \
  '  DisableMenuItem(0, #WinMain_Menu_Quit, Bool(Not on))' \
  'EndProcedure' >"$project/UserCode.pb"
rename_in_form "$project/forms/MainWindow.pbf" Btn_Greet Btn_SayHello
rename_in_form "$project/forms/MainWindow.pbf" Menu_Quit Menu_Exit

generate second-run --bind Gadget:WinMain_Btn_Greet=WinMain_Btn_SayHello \
  --bind MenuItem:WinMain_Menu_Quit=WinMain_Menu_Exit

if [ "$mode" = --update ]; then
  if [ $failures != 0 ]; then
    echo "$failures failure(s): the golden files were not rewritten"
    exit 1
  fi
  for run in first-run second-run; do
    rm -rf "${golden:?}/$run"
    cp -R "$work/$run" "$golden/$run"
    cp "$work/$run.log" "$golden/$run.log"
  done
  echo "rewrote $golden: review the diff (git diff --stat tests/golden) before committing"
  exit 0
fi

for run in first-run second-run; do
  if ! diff -u "$golden/$run.log" "$work/$run.log"; then
    fail "$run: the log differs from tests/golden/$run.log"
  fi
  if ! diff -r -u "$golden/$run" "$work/$run"; then
    fail "$run: the project folder differs from tests/golden/$run/"
  fi
done
if [ $failures != 0 ]; then
  echo "$failures failure(s). After a deliberate change: make golden, then review the diff."
  exit 1
fi
echo "both runs match tests/golden"
