# Writes a large benchmark source to standard output: many #defines, string tables (short,
# joined and very long), skipped resources with inner blocks, long hex data lines and
# comments. Usage: awk -v megabytes=30 [-v define_every=10] -f gensrc.awk > big.rr
# Every define_every-th block adds a #define that a later string table uses as its identifier.
BEGIN {
    if (megabytes == "") megabytes = 30
    if (define_every == "") define_every = 10
    limit = megabytes * 1000000
    words = "The quick brown fox jumps over the lazy dog; 0123456789 ~!@#%^&*()-_=+[]{}. "
    hex = ""
    for (k = 0; k < 125; k++) hex = hex "0123456789ABCDEF0123456789ABCDEF"   # 4000 characters
    longtext = ""
    for (k = 0; k < 30; k++) longtext = longtext "\"" words words words "\" "  # ~7 KB line
    size = 0
    for (i = 1; size < limit; i++) {
        id = i % 30000 + 1
        s = "/* string table " i " */\n"
        if (i % define_every == 0) {
            s = s sprintf("#define kSymbol%d %d\n", i, id)
            idtext = sprintf("kSymbol%d + 1", i)
        } else {
            idtext = id
        }
        s = s sprintf("resource 'STR ' (%s, \"Message %d\", purgeable) {\n\t\"%s\" \"%d\"\n};\n\n",
                      idtext, i, words, i)
        s = s sprintf("resource 'MENU' (%d, \"Menu\") {\n\t{ \"File\", \"Open\" }, { \"Edit\" }, %d\n};\n\n",
                      id, i)
        if (i % 10 == 0)
            s = s sprintf("data 'hexd' (%d) {\n\t$\"%s\"\n};\n\n", id, hex)
        if (i % 50 == 0)
            s = s sprintf("resource 'STR ' (%d) {\n\t%s\n};\n\n", id, longtext)
        if (i % 25 == 0)
            s = s "typedef struct { long a; short b; } Record" i ";\n\n"
        printf "%s", s
        size += length(s)
    }
}
