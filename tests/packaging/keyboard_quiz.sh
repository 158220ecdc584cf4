# A student's short quiz on an installed program, typed with xdotool under a
# private X server. Sourced by package_test.sh, which provides `fail`, `work`,
# `build_dir`, `start_folder`, `user_environment` and a cleanup trap that ends
# `program_pid` (with its session) and `xvfb_pid`.
#
# The road: start window, Start, main menu, the start button (an exam quiz
# of 50 questions), question 1 answered right, question 2 answered wrong,
# question 3 skipped, "End and Grade This Quiz" from the menu and Yes to its
# question about the unanswered ones, the results window, Escape back to the main menu, "Exit Program" and Yes.

# The student: the saved options of a quiz without explanation windows, timer
# or shuffling, so the questions come in bank order with their answers as
# written, filed under the name KIM.
readonly quiz_student=KIM
readonly quiz_exam_number=41517  # the first part exam, loaded at start-up
readonly quiz_length=50          # every exam quiz asks 50 questions
readonly first_question_right=b  # answers are keyed by their letter (Alt+letter)
readonly second_question_wrong=a

seed_student_settings() {
  local config=$1/.config/quizdeck
  mkdir -p "$config"
  cat > "$config/velqortest.ini" << EOF
[stuff]
savesettings="saved"
answerwhenwrong=" 0"
answerwhenright=" 0"
timedtest=" 0"
timedminutes=" 75"
randomanswers1=" 0"
randomquestions1=" 0"
scoregraph1=" 1"
backb=" 1"
show#answers=" 1"
radio=" 1"
studentname="$quiz_student"
EOF
}

quiz_fail() {
  set +e +o pipefail  # whatever the diagnostics meet, the failure is reported
  {
    echo "--- visible windows:"
    xdotool search --onlyvisible --name . 2> /dev/null | while read -r id; do xdotool getwindowname "$id" 2> /dev/null; done
    echo "--- program output (last 40 lines):"
    tail -n 40 "$work/quiz.log" 2> /dev/null
    echo "--- error.log of the data folder:"
    cat "$quiz_home/.local/share/quizdeck/error.log" 2> /dev/null || echo "(none)"
    if [ -n "$xvfb_pid" ] && command -v xwd > /dev/null; then
      mkdir -p "$build_dir/Testing/Temporary"
      xwd -root -silent 2> /dev/null | gzip > "$build_dir/Testing/Temporary/package_test_screen.xwd.gz" \
        && echo "--- screen: $build_dir/Testing/Temporary/package_test_screen.xwd.gz"
    fi
  } >&2
  fail "scripted quiz: $*"
}

# Sets `window` to the first visible window whose title matches the extended
# regular expression PATTERN, waiting at most SECONDS.
await_window() {
  local pattern=$1 seconds=$2 deadline=$((SECONDS + $2))
  window=
  while :; do
    # A window that closes during the search makes xdotool fail; look again.
    window=$(xdotool search --onlyvisible --name "$pattern" 2> /dev/null | head -n 1) || true
    [ -z "$window" ] || return 0
    kill -0 "$program_pid" 2> /dev/null || quiz_fail "the program ended while waiting for the window \"$pattern\""
    [ "$SECONDS" -lt "$deadline" ] || quiz_fail "no window \"$pattern\" within $seconds s"
    sleep 0.1
  done
}

# Types KEYS into the window just awaited, as a user who clicked into it first.
type_into_window() {
  timeout 5 xdotool windowfocus --sync "$window" 2> /dev/null || true
  xdotool key --delay 40 "$@" || quiz_fail "xdotool could not type $*"
}

start_x_server() {
  command -v Xvfb > /dev/null && command -v xdotool > /dev/null || fail "Xvfb and xdotool are needed: bash scripts/install-deps.sh"
  # Xvfb picks a free display itself and names it on descriptor 9 once it accepts clients.
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9> "$work/display" 2> "$work/xvfb.log" &
  xvfb_pid=$!
  local deadline=$((SECONDS + 15))
  until [ -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2> /dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb named no display within 15 s"
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$work/display")"
}

# Runs the quiz with COMMAND started from `start_folder` with HOME as its home.
take_short_quiz() {
  local command=$1 status=0
  quiz_home=$2
  mkdir -p "$quiz_home"
  seed_student_settings "$quiz_home"
  start_x_server
  (cd "$start_folder" && exec setsid env -u WAYLAND_DISPLAY "${user_environment[@]}" HOME="$quiz_home" QT_QPA_PLATFORM=xcb \
     QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" "$command") > "$work/quiz.log" 2>&1 &
  program_pid=$!

  await_window '^NAVRA Practice Exams$' 60
  type_into_window Return
  await_window '^Start the QUIZ$' 30
  type_into_window Return
  await_window " - Question  1 of $quiz_length\$" 60
  type_into_window "alt+$first_question_right" Return
  await_window " - Question  2 of $quiz_length\$" 20
  type_into_window "alt+$second_question_wrong" Return
  await_window " - Question  3 of $quiz_length\$" 20
  type_into_window Return
  await_window " - Question  4 of $quiz_length\$" 20
  type_into_window alt+i e  # File, End and Grade This Quiz
  await_window '^End and Grade This Quiz$' 20  # questions are left unanswered: it asks first
  type_into_window alt+y
  await_window '^Practice Test Results for: ' 20
  type_into_window Escape
  await_window '^Start the QUIZ$' 20
  type_into_window alt+f x  # File, Exit Program
  await_window '^Exit Program\?$' 20
  type_into_window alt+y

  local deadline=$((SECONDS + 20))
  while kill -0 "$program_pid" 2> /dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || quiz_fail "the program did not end within 20 s of Exit Program"
    sleep 0.1
  done
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" = 0 ] || quiz_fail "the program ended with status $status"
  kill "$xvfb_pid" 2> /dev/null || true
  wait "$xvfb_pid" 2> /dev/null || true
  xvfb_pid=
}

# The quiz left its results file and its history entry in DATA_FOLDER.
check_quiz_files() {
  local data=$1
  local results=$data/$quiz_exam_number.$quiz_student.results history=$data/history.$quiz_exam_number.$quiz_student.htm
  [ -f "$results" ] || quiz_fail "no results file $results"
  [ -f "$history" ] || quiz_fail "no history report $history"
  # One CR LF line per question id: the flag (0 right, 1 wrong) and the id.
  [ "$(wc -l < "$results")" = 2000 ] || quiz_fail "the results file does not have 2000 lines"
  [ "$(sed -n 1p "$results")" = $' 0, 1\r' ] || quiz_fail "question 1 is not recorded as answered right: $(sed -n 1p "$results")"
  [ "$(sed -n 2p "$results")" = $' 1, 2\r' ] || quiz_fail "question 2 is not recorded as answered wrong: $(sed -n 2p "$results")"
  # The header and one entry: 1 of 50 right is 2%.
  [ "$(wc -l < "$history")" = 2 ] || quiz_fail "the history report does not hold the header and one entry"
  grep -q "^<html><center><h2> History Report for $quiz_student </h2>" "$history" || quiz_fail "the history report has no header"
  local entry
  entry=$(sed -n 2p "$history")
  [[ "$entry" == "<p><b>  Results:</b><br> 2%&nbsp;&nbsp;(1/$quiz_length)&nbsp;&nbsp;-&nbsp;&nbsp;Date: "* ]] \
    || quiz_fail "the history report has no entry for the quiz: ${entry:0:120}"
}
