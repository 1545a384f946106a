resource 'STR ' (101) { "Crème" };
