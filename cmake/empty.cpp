// Keeps the portable library non-empty before its first sources exist.
