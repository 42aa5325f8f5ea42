#!/bin/sh
# Makes the manual page and the bash completion of axo-pap-cli from the program's own help
# table (axo-pap-cli help --table), so that both name every command and option the program has.
#   cli-docs.sh CLI MAN-TEMPLATE MAN-OUT COMPLETION-OUT VERSION
set -eu
cli=$1 template=$2 man=$3 completion=$4 version=$5
table=$(mktemp)
sections=$(mktemp)
trap 'rm -f "$table" "$sections"' EXIT
"$cli" help --table > "$table"

# The manual page: the template with the generated sections in place of its marker line.
roff() {
  awk -F '\t' '
    function esc(s) { gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s); return s }
    function item(usage, help) {
      print ".TP"; print ".B " esc(usage); print esc(help)
    }
    $1 == "command" { commands[++nc] = $3; helps[nc] = $4 }
    $1 == "option"  { options[++no] = $2; ohelps[no] = $3 }
    $1 == "dialog"  { dialog = $3 }
    END {
      print ".SH PŘÍKAZY"
      for (i = 1; i <= nc; i++) item(commands[i], helps[i])
      print ".SH GLOBÁLNÍ VOLBY"
      print "Globální volby se píší před příkaz i za něj."
      for (i = 1; i <= no; i++) item(options[i], ohelps[i])
      print ".SH VOLBY DIALOGU XML"
      print esc(dialog)
    }' "$table"
}
roff > "$sections"
awk -v version="$version" -v sections="$sections" '
  /^\.\\" @GENERATED@$/ { while ((getline line < sections) > 0) print line; next }
  { gsub(/@VERSION@/, version); print }' "$template" > "$man.tmp"
mv "$man.tmp" "$man"

# The bash completion: commands, their options and sub-commands, the global options.
awk -F '\t' '
  function options(text,   out, rest, word) {
    out = ""; rest = text
    while (match(rest, /--[a-z0-9][a-z0-9-]*/)) {
      word = substr(rest, RSTART, RLENGTH); rest = substr(rest, RSTART + RLENGTH)
      if (index(out " ", " " word " ") == 0) out = out " " word
    }
    return out
  }
  $1 == "command" { names[++nc] = $2; usage[nc] = $3; text[nc] = $4 }
  $1 == "option"  { split($2, w, " "); global = global " " w[1] }
  $1 == "flag"    { flags = flags " " $2 }
  $1 == "dialog"  { dialogName = $2; dialog = options($3) }
  END {
    print "# bash completion for axo-pap-cli: made by the build from the program'"'"'s help."
    print "_axo_pap_cli() {"
    print "    local cur=${COMP_WORDS[COMP_CWORD]} prev="
    print "    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}"
    list = ""; for (i = 1; i <= nc; i++) list = list " " names[i]
    print "    local commands=\"" substr(list, 2) "\""
    print "    local global=\"" substr(global, 2) "\""
    print "    local flags=\"" flags " \""
    print "    case $prev in"
    print "    --home | --output | --dir)"
    print "        COMPREPLY=($(compgen -d -- \"$cur\"))"
    print "        return"
    print "        ;;"
    print "    esac"
    print "    if [[ $prev == --* && $flags != *\" $prev \"* ]]; then"
    print "        COMPREPLY=($(compgen -f -- \"$cur\"))"
    print "        return"
    print "    fi"
    print "    local command= after=0 i word"
    print "    for ((i = 1; i < COMP_CWORD; i++)); do"
    print "        word=${COMP_WORDS[i]}"
    print "        if [[ $word == --* ]]; then"
    print "            [[ $flags != *\" $word \"* ]] && ((i++))"
    print "        elif [[ -z $command ]]; then"
    print "            command=$word"
    print "        else"
    print "            ((after++))"
    print "        fi"
    print "    done"
    print "    local options= subcommands="
    print "    case $command in"
    for (i = 1; i <= nc; i++) {
      opts = options(usage[i] " " text[i])
      if (index(text[i], dialogName)) opts = opts dialog
      split(usage[i], w, " ")
      subs = (w[2] ~ /^[a-z][a-z0-9|-]*$/) ? w[2] : ""
      gsub(/\|/, " ", subs)
      if (opts == "" && subs == "") continue
      line = "    " names[i] ")"
      if (opts != "") line = line " options=\"" substr(opts, 2) "\""
      if (subs != "") line = line " subcommands=\"" subs "\""
      print line " ;;"
    }
    print "    esac"
    print "    if [[ $cur == -* ]]; then"
    print "        COMPREPLY=($(compgen -W \"$global $options\" -- \"$cur\"))"
    print "    elif [[ -z $command ]]; then"
    print "        COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))"
    print "    elif [[ -n $subcommands && $after -eq 0 ]]; then"
    print "        COMPREPLY=($(compgen -W \"$subcommands\" -- \"$cur\"))"
    print "    else"
    print "        COMPREPLY=($(compgen -f -- \"$cur\"))"
    print "    fi"
    print "}"
    print "complete -o filenames -F _axo_pap_cli axo-pap-cli"
  }' "$table" > "$completion.tmp"
mv "$completion.tmp" "$completion"
