resource 'STR ' (2) { "fine" };
resource 'STR ' (3) { 3 };
