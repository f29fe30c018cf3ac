// Entry of the command-line encoder (filled in with the GIF engine).
int main() { return 1; }
