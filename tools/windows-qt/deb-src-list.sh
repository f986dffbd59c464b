#!/bin/sh
# Prints, as one deb822 .sources text, a deb-src entry for every deb entry of
# the given apt source files that names the Debian suites SUITE,
# SUITE-updates or SUITE-security: the same addresses, suites, components,
# Signed-By and Trusted, so the mirror or proxy the machine uses serves the
# sources too. Disabled entries and other suites are left out.
#
#   deb-src-list.sh SUITE FILE...    (*.sources: deb822; others: one-line)
set -eu
suite=$1
shift
for file in "$@"; do
    [ -r "$file" ] || continue
    case $file in
        *.sources) format=deb822 ;;
        *) format=oneline ;;
    esac
    awk -v suite="$suite" -v format="$format" '
        function wanted(s) { return s == suite || s == suite "-updates" || s == suite "-security" }
        function emit(uris, suites, components, signedby, trusted,    n, i, list, kept) {
            n = split(suites, list, " ")
            for (i = 1; i <= n; i++)
                if (wanted(list[i]))
                    kept = kept " " list[i]
            if (kept == "")
                return
            print "Types: deb-src"
            print "URIs: " uris
            print "Suites:" kept
            if (components != "") print "Components: " components
            if (signedby != "") print "Signed-By:" signedby
            if (trusted != "") print "Trusted: " trusted
            print ""
        }
        function flush() {
            if (types ~ /(^|[ \t])deb([ \t]|$)/ && tolower(enabled) != "no")
                emit(fields["uris"], fields["suites"], fields["components"], signedby,
                     fields["trusted"])
            types = enabled = signedby = field = ""
            delete fields
        }
        # One-line: deb [ options ] URI SUITE COMPONENT...
        format == "oneline" {
            sub(/#.*/, "")
            if ($1 != "deb")
                next
            line = substr($0, index($0, "deb") + 3)
            options = ""
            if (match(line, /^[ \t]*\[[^]]*\]/)) {
                options = substr(line, RSTART, RLENGTH)
                line = substr(line, RSTART + RLENGTH)
            }
            n = split(line, words, " ")
            components = ""
            for (i = 3; i <= n; i++)
                components = components (i > 3 ? " " : "") words[i]
            signed = trust = ""
            if (match(options, /signed-by=[^ \t\]]+/))
                signed = " " substr(options, RSTART + 10, RLENGTH - 10)
            if (match(options, /trusted=[^ \t\]]+/))
                trust = substr(options, RSTART + 8, RLENGTH - 8)
            emit(words[1], words[2], components, signed, trust)
            next
        }
        # deb822: paragraphs of "Field: value", continued by lines that
        # start with a blank (Signed-By may hold a whole key, kept as it is).
        /^#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ {
            if (field == "signed-by") signedby = signedby "\n" $0
            else fields[field] = fields[field] " " $0
            next
        }
        {
            field = tolower(substr($0, 1, index($0, ":") - 1))
            value = substr($0, index($0, ":") + 1)
            if (field == "signed-by") signedby = value
            gsub(/^[ \t]+|[ \t]+$/, "", value)
            if (field == "types") types = value
            else if (field == "enabled") enabled = value
            else fields[field] = value
        }
        END { if (format == "deb822") flush() }
    ' "$file"
done
