// one
// two
resource 'STR ' (4) { "inc" };
// four
