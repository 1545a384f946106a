resource 'STR ' (ID) { "part" };
