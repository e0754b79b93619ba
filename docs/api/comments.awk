# Doxygen's input filter for the headers, which keep the project's // comments: a comment block right above
# a declaration documents it, a comment after a declaration on its line documents that declaration, and the
# first block of a file describes the file. A block followed by an empty line (a heading or a note) stays a
# plain comment. Line numbers are kept, but for the one line that opens the file's description.
function flush(as_doc,    i, line) {
    for (i = 1; i <= n; i++) {
        line = block[i]
        if (as_doc)
            sub(/\/\//, "///", line)
        print line
    }
    n = 0
}
/^[ \t]*\/\// {
    block[++n] = $0
    next
}
{
    if (n > 0 && !seen_code) {
        print "/// @file"
        flush(1)
    } else {
        flush($0 !~ /^[ \t]*$/)
    }
    seen_code = 1
    # A comment behind a declaration (ended by ; or , as members and enumerators are), outside strings.
    at = index($0, "//")
    code = substr($0, 1, at - 1)
    if (at > 0 && index(code, "\"") == 0 && code ~ /[;,][ \t]*$/ && code !~ /^[ \t]*}/)
        $0 = code "///<" substr($0, at + 2)
    print
}
END { flush(0) }
