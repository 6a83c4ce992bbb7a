// Placeholder until the table module lands.
