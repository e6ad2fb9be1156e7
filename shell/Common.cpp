// Placeholder until the routines land.
