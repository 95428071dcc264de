// Writes the scheduler's reference vectors (tests/data/schedule/reviews.tsv) from the
// published reference scheduler, used only as a black box. Run once by hand; the tests
// read the committed output, so a build never needs node.
//   mkdir -p /tmp/tsfsrs && cd /tmp/tsfsrs && npm install ts-fsrs@5.4
//   node tools/make-schedule-vectors.mjs /tmp/tsfsrs > tests/data/schedule/reviews.tsv
import { createRequire } from 'node:module';
import path from 'node:path';

const require = createRequire(path.join(path.resolve(process.argv[2] ?? '.'), 'index.js'));
const { fsrs, createEmptyCard } = require('ts-fsrs');

// Most histories use the default retention; some use others a document may set (70 to 99 %).
const retentions = [90, 90, 90, 70, 80, 85, 95, 99];
const schedulers = new Map(retentions.map((r) => [r, fsrs({ enable_fuzz: false, request_retention: r / 100 })]));

// A fixed generator, so the file is the same on every run.
let seed = 19;
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (n) => Math.floor(random() * n);

// The next review's time: early, on time or late against the item's due time.
function nextTime(now, card) {
  const due = Math.floor(card.due.getTime() / 1000);
  const wait = Math.max(due - now, 60);
  switch (pick(4)) {
    case 0: return now + 1 + pick(wait);                    // early
    case 1: return Math.max(due, now + 1);                  // on time
    case 2: return due + pick(3600);                        // a little late
    default: return due + pick(Math.max(wait * 3, 86400));  // late, up to days or months
  }
}

// Grades lean towards Good, as real reviews do, but every grade comes often.
const grades = [1, 1, 2, 3, 3, 3, 4];

console.log('# history\tretention\ttime\tgrade\tstate\tstep\tdue\tstability\tdifficulty\treviews\tlapses');
for (let history = 1; history <= 400; ++history) {
  const retention = retentions[pick(retentions.length)];
  const scheduler = schedulers.get(retention);
  let now = 1704067200 + pick(3 * 365 * 86400);  // 2024 to 2026
  let card = createEmptyCard(new Date(now * 1000));
  const reviews = 1 + pick(history % 5 === 0 ? 40 : 15);
  for (let r = 0; r < reviews; ++r) {
    const grade = grades[pick(grades.length)];
    card = scheduler.next(card, new Date(now * 1000), grade).card;
    console.log([history, retention, now, grade, card.state, card.learning_steps,
                 Math.floor(card.due.getTime() / 1000), card.stability.toPrecision(17),
                 card.difficulty.toPrecision(17), card.reps, card.lapses].join('\t'));
    now = nextTime(now, card);
  }
}
