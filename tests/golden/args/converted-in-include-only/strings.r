resource 'STR ' (7) { "Hi" };
