// Keeps the library non-empty before its first source lands.
