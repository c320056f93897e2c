// A test page in a SCORM 1.2 package reports the learner's result to the learning platform
// that plays it. The package's page holds, just before its test, a script element of id
// "kaz-scorm" and type application/json holding {"passMark": 50, "learnerName": false}
// (passMark: the percent a pass needs, 0 to 100, or null for a test that is only completed;
// learnerName: whether the learner's name stands in the caption's place). A page without it,
// or one played where no platform's API is found, is the plain page: this part does nothing
// and says nothing.
//
// The platform's API is found as SCORM 1.2's run-time rules find it: `API` on this window or
// one of up to seven parents above it, else on the opener's. Every call to it is guarded: an
// API that answers "false" or throws never stops the test, and what failed is tried again at
// the learner's next step. The score, status and pairs are the engine's (Quiz.result()), the
// same the counter and the verdicts show.
'use strict';

(function () {
  const config = document.getElementById('kaz-scorm');
  const page = window.kaz;
  if (!config || !page || typeof page.watch !== 'function') return;

  let options = {};
  try {
    options = JSON.parse(config.textContent) || {};
  } catch (e) {
    options = {};
  }
  const passMark = Number.isInteger(options.passMark) && options.passMark >= 0 && options.passMark <= 100
    ? options.passMark : null;
  const learnerName = options.learnerName === true;

  // ------------------------------------------------------------------ finding the API
  const MAX_PARENTS = 7;

  function apiAbove(win) {
    let w = win;
    for (let level = 0; w && level <= MAX_PARENTS; ++level) {
      try {
        const api = w.API;
        if (api && typeof api.LMSInitialize === 'function') return api;
      } catch (e) {
        // A window of another origin: its API is not this page's.
      }
      let parent = null;
      try {
        parent = w.parent;
      } catch (e) {
        parent = null;
      }
      if (!parent || parent === w) break;
      w = parent;
    }
    return null;
  }

  function findApi() {
    const api = apiAbove(window);
    if (api) return api;
    try {
      return window.opener ? apiAbove(window.opener) : null;
    } catch (e) {
      return null;
    }
  }

  const api = findApi();
  if (!api) return;

  // One call of the API, its answer as a string: '' for anything it throws or lacks.
  function call(name) {
    try {
      const f = api[name];
      if (typeof f !== 'function') return '';
      const answer = f.apply(api, Array.prototype.slice.call(arguments, 1));
      return answer === undefined || answer === null ? '' : String(answer);
    } catch (e) {
      return '';
    }
  }
  const set = (element, value) => call('LMSSetValue', element, value) === 'true';
  // A value, '' where the platform tells an error (its value is then none).
  function get(element) {
    const value = call('LMSGetValue', element);
    const error = call('LMSGetLastError');
    return error === '' || error === '0' ? value : '';
  }

  // ------------------------------------------------------------------ SCORM 1.2's data types
  const two = (n) => (n < 10 ? '0' : '') + n;

  // CMITimespan, HHHH:MM:SS.
  function timespan(ms) {
    let s = Math.max(0, Math.floor(ms / 1000));
    let hours = Math.floor(s / 3600);
    if (hours > 9999) {
      hours = 9999;
      s = 9999 * 3600 + 3599;
    }
    return String(hours).padStart(4, '0') + ':' + two(Math.floor(s / 60) % 60) + ':' + two(s % 60);
  }

  // CMITime, the clock's HH:MM:SS.
  function clock(date) {
    return two(date.getHours()) + ':' + two(date.getMinutes()) + ':' + two(date.getSeconds());
  }

  // At most `n` UTF-16 units of a text, cut between characters and marked by "…".
  function clip(text, n) {
    if (text.length <= n) return text;
    let out = '';
    for (const ch of text) {
      if (out.length + ch.length > n - 1) break;
      out += ch;
    }
    return out + '…';
  }

  // A matching's response, "left.right", a CMIString255: the longer phrase cut first.
  function response(left, right) {
    const room = 254;
    if (left.length + right.length <= room) return left + '.' + right;
    const half = Math.floor(room / 2);
    const leftRoom = left.length <= half ? left.length : Math.max(half, room - right.length);
    return clip(left, leftRoom) + '.' + clip(right, room - leftRoom);
  }

  // "Last, First" as the learner's name is written: "First Last".
  function displayName(name) {
    const comma = name.indexOf(',');
    if (comma < 0) return name.trim();
    const last = name.slice(0, comma).trim();
    const first = name.slice(comma + 1).trim();
    return first && last ? first + ' ' + last : first || last;
  }

  // ------------------------------------------------------------------ the session
  const startedAt = Date.now();
  let initialised = false;
  let begun = false;
  let finished = false;
  let graded = false; // the counter shows the score
  let reported = false; // the score and pairs written and committed
  let interactionsFrom = -1; // the index of this attempt's first interaction
  let name = '';
  const pairTimes = new Map(); // a pair's row -> when it was made (CMITime)

  // The session open, as far as the platform lets it be; tried again at every step until it is.
  function open() {
    if (!initialised) initialised = call('LMSInitialize', '') === 'true';
    if (initialised && !begun) {
      begun = true;
      if (get('cmi.core.lesson_status') === 'not attempted') set('cmi.core.lesson_status', 'incomplete');
      if (learnerName) {
        name = displayName(get('cmi.core.student_name'));
        showName();
      }
    }
  }

  function showName() {
    const caption = document.getElementById('caption');
    if (name && caption) caption.textContent = name;
  }

  function result() {
    try {
      return JSON.parse(page.quiz.result());
    } catch (e) {
      return null;
    }
  }

  // The score, the status, each pair made and the time so far, then committed.
  function report() {
    const r = result();
    if (!r || !r.graded || typeof r.percent !== 'number') return;
    open();
    let ok = set('cmi.core.score.raw', String(r.percent));
    ok = set('cmi.core.score.min', '0') && ok;
    ok = set('cmi.core.score.max', '100') && ok;
    const status = passMark === null ? 'completed' : r.percent >= passMark ? 'passed' : 'failed';
    ok = set('cmi.core.lesson_status', status) && ok;
    if (interactionsFrom < 0) {
      const count = parseInt(get('cmi.interactions._count'), 10);
      if (count >= 0) interactionsFrom = count;
    }
    const from = Math.max(0, interactionsFrom);
    const now = clock(new Date());
    r.pairs.forEach((pair, i) => {
      const n = 'cmi.interactions.' + (from + i) + '.';
      ok = set(n + 'id', 'pair-' + (i + 1)) && ok;
      ok = set(n + 'type', 'matching') && ok;
      ok = set(n + 'student_response', response(pair.left, pair.right)) && ok;
      ok = set(n + 'result', pair.correct ? 'correct' : 'wrong') && ok;
      ok = set(n + 'time', pairTimes.get(pair.left + ' ' + pair.right) || now) && ok;
    });
    ok = set('cmi.core.session_time', timespan(Date.now() - startedAt)) && ok;
    reported = call('LMSCommit', '') === 'true' && ok && interactionsFrom >= 0;
  }

  // "Exit" or the page left: what is still unreported, then the session ended.
  function finish() {
    if (finished) return;
    open();
    if (graded && !reported) report();
    set('cmi.core.session_time', timespan(Date.now() - startedAt));
    finished = call('LMSFinish', '') === 'true';
  }

  page.watch((u) => {
    if (finished) return;
    // When each pair was made: the rows added to the list of pairs.
    const now = clock(new Date());
    for (const edit of (u.lists && u.lists[2]) || []) {
      if (edit.items) edit.items.forEach((row) => pairTimes.set(row, now));
    }
    if (u.caption !== undefined) showName();
    if (typeof u.counter === 'string' && u.counter.indexOf('Верни: ') === 0) graded = true;
    if (u.exit) {
      finish();
      return;
    }
    open();
    if (graded && !reported) report();
  });
  window.addEventListener('pagehide', finish);
  open();
})();
