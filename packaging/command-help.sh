#!/bin/sh
# Runs $QDX_HELP_PROGRAM (qdx) with the given options for help2man. The full help is rewritten
# so that every command gets a heading of its own ("qdx COMMAND:") with its arguments and
# options below it, which help2man turns into one subsection per command. The title line goes:
# the manual page has its own name line and description.
set -e
"$QDX_HELP_PROGRAM" "$@" | awk '
    NR == 1 && /^qdx: / { next }
    /^Subcommands:$/ { commands = 1; next }
    !commands { print; next }
    /^[^ ]/ { print "qdx " $1 ":"; described = 0; next }
    /^  (Positionals|Options):$/ { next }
    /^  [^ ]/ && !described { print; print ""; described = 1; next }
    { sub(/^  /, ""); print }
'
