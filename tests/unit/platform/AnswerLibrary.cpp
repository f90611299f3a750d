extern "C" int pictavo_test_answer() { return 42; }
