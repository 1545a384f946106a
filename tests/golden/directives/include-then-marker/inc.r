resource 'STR ' (4) { "inc" };
