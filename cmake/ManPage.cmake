# cmake -DPROGRAM=... -DVERSION=... -DOUTPUT=... -P ManPage.cmake
# Writes the program's manual page from its own --help text, so that the two never differ:
# the usage line becomes the synopsis, each heading of the help ("Commands:") a section, and
# the rest stays as the help lays it out.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed")
endif()
# troff: a backslash is written \e, a line may not start with a dot or an apostrophe.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REGEX MATCH "^Usage: ([^\n]*)\n" usage "${help}")
set(synopsis "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^Usage: [^\n]*\n" "" help "${help}")
# Headings end in a colon alone on their line; manual pages write them in capitals.
string(REGEX MATCHALL "\n[A-Z][a-z ]*:\n" headings "${help}")
foreach(heading ${headings})
    string(STRIP "${heading}" title)
    string(REPLACE ":" "" title "${title}")
    string(TOUPPER "${title}" title)
    string(REPLACE "${heading}" "\n.fi\n.SH ${title}\n.nf\n" help "${help}")
endforeach()
file(WRITE ${OUTPUT} ".TH VELMORA 1 \"\" \"velmora ${VERSION}\" \"User Commands\"
.SH NAME
velmora \\- import and update of price lists, SEO tags for VirtueMart
.SH SYNOPSIS
.B ${synopsis}
.SH DESCRIPTION
.nf
${help}
.fi
")
