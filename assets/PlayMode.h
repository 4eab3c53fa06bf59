#pragma once

// How the own playlist and the own picture rotation choose their next item.
enum class PlayMode { RepeatOne = 0, RepeatAll = 1, Random = 2 };
