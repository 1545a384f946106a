#define FROM_INC "defined in inc.r"
resource 'STR ' (2) { "inside" };
