// Where lofter keeps its two timings (the default user's hive, as lofter
// writes it), for the tests and benches that set them before a run.
#pragma once

namespace e2e {

const char kLofterKey[] = ".Default\\Software\\Zorva\\Kivora";
const char kLofterDelayKey[] = ".Default\\Software\\Zorva\\Kivora\\DeleyTime";
const char kLofterIntervalKey[] = ".Default\\Software\\Zorva\\Kivora\\MoveTime";

}  // namespace e2e
