// Placeholder until the end-to-end tests of this program are written.
