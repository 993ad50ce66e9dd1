// Where lofter keeps its two timings (the default user's hive, as lofter
// writes it where it may), for the tests and benches that set them before a
// run.
#pragma once

namespace e2e {

const char kLofterKey[] = ".Default\\Software\\Zorva\\Kivora";
const char kLofterDelayKey[] = ".Default\\Software\\Zorva\\Kivora\\DeleyTime";
const char kLofterIntervalKey[] = ".Default\\Software\\Zorva\\Kivora\\MoveTime";

// The same keys in the user's own branch, under HKEY_CURRENT_USER: lofter
// reads them first, and saves there what the default profile refuses.
const char kLofterUserDelayKey[] = "Software\\Zorva\\Kivora\\DeleyTime";
const char kLofterUserIntervalKey[] = "Software\\Zorva\\Kivora\\MoveTime";

}  // namespace e2e
