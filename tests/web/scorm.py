#!/usr/bin/python3
"""A test page in a SCORM 1.2 package, played in a learning platform's frame in headless Chromium.

    scorm.py --kazpack KAZPACK --runner kazweb.html --quiz FOLDER --scorm-again DIST --work DIR
             [unittest options]

The platform is a page served with the package's page from a local web server (a page opened
from a file cannot reach its parent frame): it loads scorm-again's SCORM 1.2 run-time API
(DIST: node_modules/scorm-again/dist, installed by scripts/test.sh from tests/web/scorm/),
sets window.API and frames the package's page. The learner plays the test in FOLDER to
"Верни: N%"; the platform must then hold N as the score, the status against the pass mark,
each pair made as an interaction, the session's time, a commit, and, after "Exit", the
session finished. A platform whose API fails every call, or throws, must leave the test as
playable as ever, with nothing on the console; a page opened alone plays as the plain page.

Until kazpack makes packages (kazpack --scorm), the package's page is a kazpack --web page
with the element a package's page holds before its test. Needs Debian's python3-selenium,
chromium and chromium-driver; without them, or without scorm-again, it says KAZ-SKIP.
"""
import argparse
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import sys
import threading
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
KAZPACK = RUNNER = QUIZ = DIST = WORK = None
SERVER = None

TEST_START = '<script id="kaz-test" type="application/octet-stream">'
# The element a package's page holds immediately before its test.
SCORM_ELEMENT = re.compile(r'<script id="kaz-scorm" type="application/json">[^<]*</script>\n?(?=<script id="kaz-test")')

# The platform: scorm-again's API, or one that fails each call ("false" and error 101) or
# throws, behind a window.API that writes down every call the page makes and its answer.
LMS_PAGE = r'''<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>LMS</title><script src="scorm12.min.js"></script></head>
<body>
<script>
const params = new URLSearchParams(location.search);
const kind = params.get('api');
window.calls = [];
let target;
if (kind === 'scorm-again' || kind === 'late') {
  target = window.lms = new Scorm12API({autocommit: false, logLevel: 4});
  target.cmi.core.student_name = params.get('name') || '';
} else if (kind === 'false') {
  const no = () => 'false';
  target = {LMSInitialize: no, LMSFinish: no, LMSGetValue: no, LMSSetValue: no, LMSCommit: no,
    LMSGetLastError: () => '101', LMSGetErrorString: () => 'General exception', LMSGetDiagnostic: () => ''};
} else {
  const down = () => { throw new Error('the platform is down'); };
  target = {LMSInitialize: down, LMSFinish: down, LMSGetValue: down, LMSSetValue: down, LMSCommit: down,
    LMSGetLastError: down, LMSGetErrorString: down, LMSGetDiagnostic: down};
}
window.ready = false;
window.API = {};
for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit',
    'LMSGetLastError', 'LMSGetErrorString', 'LMSGetDiagnostic']) {
  window.API[name] = function () {
    const args = Array.from(arguments);
    const entry = {name: name, args: args};
    window.calls.push(entry);
    // "late": the platform refuses to open the session until it is ready.
    if (kind === 'late' && name === 'LMSInitialize' && !window.ready) return (entry.answer = 'false');
    try {
      entry.answer = target[name].apply(target, args);
    } catch (e) {
      entry.threw = String(e);
      throw e;
    }
    return entry.answer;
  };
}
window.cmi = () => JSON.parse(JSON.stringify(window.lms.cmi));
// The page in the platform's frame, in a frame within that, or (via=window) in a window the
// platform opens.
const via = params.get('via');
if (via !== 'window') {
  const frame = document.createElement('iframe');
  frame.id = 'sco';
  frame.width = 1200;
  frame.height = 800;
  frame.src = via === 'middle' ? 'unit/middle.html?page=' + encodeURIComponent('../' + params.get('page'))
                               : params.get('page');
  document.body.appendChild(frame);
}
</script>
</body></html>
'''


# A frame of the platform's own between it and the page, where the page finds no API.
MIDDLE_PAGE = r'''<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Unit</title></head>
<body>
<script>
const frame = document.createElement('iframe');
frame.id = 'sco';
frame.width = 1180;
frame.height = 780;
frame.src = new URLSearchParams(location.search).get('page');
document.body.appendChild(frame);
</script>
</body></html>
'''


def skip(why):
    print('KAZ-SKIP: ' + why)
    sys.exit(0)


def package_page(folder, config, out_dir):
    """The page of a SCORM package of `folder` whose kaz-scorm element holds `config`, written
    into out_dir; its path. Made by kazpack --scorm where this kazpack has it, else by adding the
    element to the kazpack --web page."""
    os.makedirs(out_dir, exist_ok=True)
    name = 'kaz-%s.html' % os.path.basename(os.path.normpath(folder))
    page = os.path.join(out_dir, name)
    helped = subprocess.run([KAZPACK, '--help'], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout
    if '--scorm' in helped:
        # kaz-FOLDER-scorm.zip in the folder kazpack runs in: the page and imsmanifest.xml.
        for old in os.listdir(out_dir):
            os.remove(os.path.join(out_dir, old))
        run([KAZPACK, '--scorm', os.path.abspath(folder), '--runner', os.path.abspath(RUNNER)], cwd=out_dir)
        archives = [a for a in os.listdir(out_dir) if a.endswith('.zip')]
        if len(archives) != 1:
            raise RuntimeError('kazpack --scorm wrote %s, not one package' % archives)
        with zipfile.ZipFile(os.path.join(out_dir, archives[0])) as z:
            if 'imsmanifest.xml' not in z.namelist():
                raise RuntimeError('%s holds no imsmanifest.xml' % archives[0])
            html = z.read(name).decode('utf-8')
        if len(SCORM_ELEMENT.findall(html)) != 1:
            raise RuntimeError('the package\'s page holds no one kaz-scorm element')
        # The element as each case needs it, or none for the plain page.
        html = SCORM_ELEMENT.sub('', html)
    else:
        run([KAZPACK, folder, '--web', '--runner', RUNNER, '-o', page, '--force'])
        with open(page, encoding='utf-8') as f:
            html = f.read()
    if config is not None:
        if html.count(TEST_START) != 1:
            raise RuntimeError('%s: no one test element' % page)
        element = '<script id="kaz-scorm" type="application/json">%s</script>' % json.dumps(config)
        html = html.replace(TEST_START, element + TEST_START)
    with open(page, 'w', encoding='utf-8') as f:
        f.write(html)
    return page


def run(command, cwd=None):
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=cwd)
    if done.returncode != 0:
        raise RuntimeError('%s failed (%d):\n%s' % (' '.join(command), done.returncode, done.stdout))


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def url(path):
    return 'http://127.0.0.1:%d/%s' % (SERVER.server_address[1], os.path.relpath(path, WORK))


class Platform(unittest.TestCase):
    """The learner in a platform's frame; the platform's record read from its own window."""

    @classmethod
    def setUpClass(cls):
        sys.path.insert(0, HERE)
        import test_page
        cls.driver = test_page.browser(1280, 900)
        sections = test_page.read_quiz(os.path.join(QUIZ, 'test.kaz'))
        cls.left, cls.right = sections['left'], sections['right']
        cls.caption = sections['parameters'][0]
        cls.pages = {
            'pass': package_page(QUIZ, {'passMark': 50, 'learnerName': True}, os.path.join(WORK, 'pass')),
            'completed': package_page(QUIZ, {'passMark': None, 'learnerName': False}, os.path.join(WORK, 'completed')),
            'plain': package_page(QUIZ, None, os.path.join(WORK, 'plain')),
        }

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.get_log('browser')  # what earlier cases left

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open_in(self, api, page, name='', via='frame'):
        """The page in a platform of API `api`, the driver in the page once it is ready: in the
        platform's frame, in a frame within that (`via` "middle"), or in a window the platform
        opened ("window")."""
        self.via = via
        self.home()
        self.platform_window = self.driver.current_window_handle
        self.driver.get(url(os.path.join(WORK, 'lms.html')) + '?api=%s&name=%s&via=%s&page=%s'
                        % (api, name, via, os.path.relpath(self.pages[page], WORK)))
        if via == 'window':
            self.js('window.open(arguments[0], "sco")', os.path.relpath(self.pages[page], WORK))
            self.driver.switch_to.window([h for h in self.driver.window_handles if h != self.platform_window][0])
        self.enter()
        deadline = time.monotonic() + 30
        while not self.js('return !!(window.kaz && window.kaz.ready)'):
            self.assertLess(time.monotonic(), deadline, 'the page did not load')
            time.sleep(0.05)
        ready = self.driver.execute_async_script(
            'const done = arguments[0]; window.kaz.ready.then(done, (e) => done("error " + e));')
        self.assertEqual(ready, 'ok')

    def home(self):
        """The first window alone, the driver at its top."""
        for handle in self.driver.window_handles[1:]:
            self.driver.switch_to.window(handle)
            self.driver.close()
        self.driver.switch_to.window(self.driver.window_handles[0])

    def enter(self):
        """From the platform's window into the page."""
        if self.via == 'window':
            self.driver.switch_to.window([h for h in self.driver.window_handles if h != self.platform_window][0])
            return
        for _ in range(2 if self.via == 'middle' else 1):
            self.driver.switch_to.frame(self.driver.find_element('id', 'sco'))

    def platform(self, script, *args):
        """A script run in the platform's window."""
        if self.via == 'window':
            self.driver.switch_to.window(self.platform_window)
        else:
            self.driver.switch_to.default_content()
        try:
            return self.js(script, *args)
        finally:
            self.enter()

    def calls(self):
        return self.platform('return window.calls')

    def errors(self):
        return [e['message'] for e in self.driver.get_log('browser') if e['level'] == 'SEVERE']

    def click_row(self, i, text):
        rows = self.js('return window.kaz.rows(%d)' % i)
        self.js('return window.kaz.option(%d, %d)' % (i, rows.index(text))).click()

    def press(self, i):
        self.driver.find_element('id', 'uprawl%d' % i).click()

    def counter(self):
        return self.js('return document.getElementById("ndapis").textContent')

    def play(self, wrong):
        """Pairs every left phrase with a right one, its partner but for the left phrases in
        `wrong`, which go round among themselves; "Оцени"; the pairs in the order made and N."""
        n = min(len(self.left), len(self.right))
        partners = {self.left[k]: self.right[k] for k in range(n)}
        wrong = [l for l in wrong if l in partners]
        if len(wrong) > 1:
            moved = [partners[l] for l in wrong]
            for l, r in zip(wrong, moved[1:] + moved[:1]):
                partners[l] = r
        made = []
        for l in sorted(partners):
            self.click_row(0, l)
            self.click_row(1, partners[l])
            self.press(0)
            made.append((l, partners[l]))
        if self.js('return document.getElementById("uprawl2").disabled'):
            self.press(0)
        self.press(2)
        shown = re.fullmatch(r'Верни: (\d+)%', self.counter())
        self.assertIsNotNone(shown, self.counter())
        right = sum(1 for l, r in made if self.right.index(r) == self.left.index(l))
        self.assertEqual(int(shown.group(1)), round(right * 100 / n))
        return made, int(shown.group(1))

    def walk_and_exit(self, made):
        """Each pair's verdict and explanation, then "Exit"."""
        rows = self.js('return window.kaz.rows(2)')
        self.assertEqual(rows, [l + ' ' + r for l, r in made])
        for row in rows:
            self.click_row(2, row)
            self.press(3)
        self.driver.find_element('id', 'menu-izhod').click()
        self.assertTrue(self.driver.find_element('id', 'ended').is_displayed())

    def test_the_platform_records_the_result(self):
        self.open_in('scorm-again', 'pass', 'Петрова, Мария')
        # The learner's name in the caption's place; the attempt begun.
        self.assertEqual(self.js('return document.getElementById("caption").textContent'), 'Мария Петрова')
        self.assertEqual(self.platform('return window.lms.cmi.core.lesson_status'), 'incomplete')
        self.assertTrue(self.platform('return window.lms.isInitialized()'))
        wrong = sorted(self.left)[:3]
        made, percent = self.play(wrong)
        cmi = self.platform('return window.cmi()')
        core = cmi['core']
        self.assertEqual((core['score']['raw'], core['score']['min'], core['score']['max']), (str(percent), '0', '100'))
        self.assertEqual(core['lesson_status'], 'passed' if percent >= 50 else 'failed')
        self.assertRegex(core['session_time'], r'^\d{2,4}:[0-5]\d:[0-5]\d(\.\d{1,2})?$')
        interactions = [cmi['interactions'][str(k)] for k in range(len(cmi['interactions']))]
        self.assertEqual(len(interactions), len(made))
        for k, ((l, r), got) in enumerate(zip(made, interactions)):
            good = self.right.index(r) == self.left.index(l)
            self.assertEqual((got['id'], got['type'], got['student_response'], got['result']),
                             ('pair-%d' % (k + 1), 'matching', l + '.' + r, 'correct' if good else 'wrong'))
            self.assertRegex(got['time'], r'^([01]\d|2[0-3]):[0-5]\d:[0-5]\d$')
        self.assertEqual(sum(1 for i in interactions if i['result'] == 'wrong'), len(wrong))
        print('\nthe platform holds: score %s (min %s, max %s), %s, %d interactions (%d wrong), session %s'
              % (core['score']['raw'], core['score']['min'], core['score']['max'], core['lesson_status'],
                 len(interactions), len(wrong), core['session_time']), file=sys.stderr)
        commits = [c for c in self.calls() if c['name'] == 'LMSCommit']
        self.assertEqual([c['answer'] for c in commits][-1:], ['true'])
        self.assertFalse(self.platform('return window.lms.isTerminated()'))
        self.walk_and_exit(made)
        self.assertTrue(self.platform('return window.lms.isTerminated()'))
        finishes = [c for c in self.calls() if c['name'] == 'LMSFinish']
        self.assertEqual([c['answer'] for c in finishes], ['true'])
        # Reported once: walking the explanations wrote nothing more.
        self.assertEqual(len([c for c in self.calls() if c['args'][:1] == ['cmi.core.score.raw']]), 1)
        # Every value fit its type: scorm-again says nothing of any.
        self.assertEqual(self.errors(), [])
        self.assertTrue(all(c['answer'] in ('true', '0') or c['name'] == 'LMSGetValue' for c in self.calls()),
                        [c for c in self.calls() if c['answer'] not in ('true', '0')])

    def test_failed_against_the_pass_mark_and_completed_without_one(self):
        self.open_in('scorm-again', 'pass')
        # No name from the platform: the test's caption stays.
        self.assertEqual(self.js('return document.getElementById("caption").textContent'), self.caption)
        made, percent = self.play(sorted(self.left))
        self.assertLess(percent, 50)
        self.assertEqual(self.platform('return window.lms.cmi.core.lesson_status'), 'failed')
        self.assertEqual(self.platform('return window.lms.cmi.core.score.raw'), str(percent))

        self.open_in('scorm-again', 'completed', 'Петрова, Мария')
        self.assertEqual(self.js('return document.getElementById("caption").textContent'), self.caption)
        made, percent = self.play([])
        self.assertEqual(percent, 100)
        self.assertEqual(self.platform('return window.lms.cmi.core.lesson_status'), 'completed')
        # Leaving the page without "Exit" finishes the session too.
        self.driver.switch_to.default_content()
        self.js('document.getElementById("sco").src = "about:blank"')
        time.sleep(0.3)
        self.assertTrue(self.js('return window.lms.isTerminated()'))
        self.assertEqual(self.errors(), [])

    def test_long_phrases_fit_a_response(self):
        # The first phrase of each side made 200 letters longer: their pair's response is cut
        # to 255 characters, each phrase's start kept; the other pairs' stay whole.
        folder = os.path.join(WORK, 'long-source', os.path.basename(QUIZ))
        shutil.copytree(QUIZ, folder)
        path = os.path.join(folder, 'test.kaz')
        with open(path, encoding='utf-8') as f:
            lines = f.read().split('\n')
        for section in ('[left]', '[right]'):
            k = lines.index(section) + 1
            while lines[k].startswith('#'):
                k += 1
            lines[k] += ' ' + 'дълго' * 40
        with open(path, 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines))
        self.pages['long'] = package_page(folder, {'passMark': 50, 'learnerName': False}, os.path.join(WORK, 'long'))
        sections = __import__('test_page').read_quiz(path)
        self.left, self.right = sections['left'], sections['right']
        try:
            self.open_in('scorm-again', 'long')
            made, percent = self.play([])
        finally:
            del self.left, self.right
        interactions = self.platform('return window.cmi().interactions')
        responses = [interactions[str(k)]['student_response'] for k in range(len(interactions))]
        self.assertEqual(len(responses), len(made))
        for (l, r), response in zip(made, responses):
            if len(l) + len(r) < 255:
                self.assertEqual(response, l + '.' + r)
            else:
                self.assertLessEqual(len(response), 255)
                left, right = response.split('….')
                self.assertTrue(l.startswith(left) and len(left) > 100, response)
                self.assertTrue(r.startswith(right.rstrip('…')) and len(right) > 100, response)
        self.assertEqual(self.errors(), [])

    def test_the_api_found_above_a_frame_between_and_from_an_opened_window(self):
        for via in ('middle', 'window'):
            with self.subTest(via=via):
                self.open_in('scorm-again', 'pass', 'Петрова, Мария', via=via)
                self.assertEqual(self.js('return document.getElementById("caption").textContent'), 'Мария Петрова')
                made, percent = self.play(sorted(self.left)[:2])
                self.assertEqual(self.platform('return window.lms.cmi.core.score.raw'), str(percent))
                self.walk_and_exit(made)
                self.assertTrue(self.platform('return window.lms.isTerminated()'))
                self.assertEqual(self.errors(), [])

    def test_a_platform_not_ready_at_first_gets_the_result(self):
        self.open_in('late', 'completed')
        self.assertFalse(self.platform('return window.lms.isInitialized()'))
        self.assertGreater([c['name'] for c in self.calls()].count('LMSInitialize'), 0)
        self.platform('window.ready = true')
        made, percent = self.play(sorted(self.left)[:2])
        # Opened at the learner's next step, before the report.
        self.assertTrue(self.platform('return window.lms.isInitialized()'))
        self.assertEqual(self.platform('return window.lms.cmi.core.score.raw'), str(percent))
        self.assertEqual(len(self.platform('return window.cmi().interactions')), len(made))

    def test_a_failing_platform_leaves_the_test_playable(self):
        for api in ('false', 'throws'):
            with self.subTest(api=api):
                self.open_in(api, 'pass', 'Петрова, Мария')
                self.assertEqual(self.js('return document.getElementById("caption").textContent'), self.caption)
                made, percent = self.play(sorted(self.left)[:2])
                self.walk_and_exit(made)
                calls = self.calls()
                names = [c['name'] for c in calls]
                # Tried again at the learner's steps, and at "Exit".
                self.assertGreater(names.count('LMSInitialize'), 2)
                self.assertIn(['cmi.core.score.raw', str(percent)], [c['args'] for c in calls if c['name'] == 'LMSSetValue'])
                self.assertIn('LMSFinish', names)
                self.assertEqual(self.errors(), [])
                # "Започни отначало" plays the test afresh.
                self.driver.find_element('id', 'restart').click()
                self.assertEqual(self.driver.execute_async_script(
                    'const done = arguments[0]; window.kaz.ready.then(done);'), 'ok')
                self.assertEqual(self.counter(), 'Оставащи:')

    def test_a_plain_page_in_a_platform_does_nothing_of_scorm(self):
        self.open_in('scorm-again', 'plain', 'Петрова, Мария')
        made, percent = self.play([])
        self.walk_and_exit(made)
        self.assertEqual(self.calls(), [])
        self.assertEqual(self.errors(), [])

    def test_the_package_page_alone_plays_as_the_plain_page(self):
        self.home()
        for page in ('pass', 'plain'):
            with self.subTest(page=page):
                self.driver.get(url(self.pages[page]))
                self.assertEqual(self.driver.execute_async_script(
                    'const done = arguments[0]; window.kaz.ready.then(done);'), 'ok')
                self.assertEqual(self.js('return document.getElementById("caption").textContent'), self.caption)
                made, percent = self.play(sorted(self.left)[:2])
                shown = self.js('return document.body.innerText')
                self.assertNotIn('SCORM', shown.upper())
                self.walk_and_exit(made)
                self.assertEqual(self.errors(), [])


def main():
    global KAZPACK, RUNNER, QUIZ, DIST, WORK, SERVER
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--kazpack', required=True)
    parser.add_argument('--runner', required=True, help='the page kazpack --web fills (kazweb.html)')
    parser.add_argument('--quiz', required=True, help='the test folder to play')
    parser.add_argument('--scorm-again', required=True, help="scorm-again's dist folder")
    parser.add_argument('--work', required=True, help='a folder for the pages, emptied first')
    args, rest = parser.parse_known_args()
    KAZPACK, RUNNER, QUIZ, DIST = args.kazpack, args.runner, os.path.abspath(args.quiz), args.scorm_again
    if not os.path.isfile(RUNNER):
        skip(RUNNER + ' is missing: this build puts no test page together')
    if not os.path.isfile(os.path.join(DIST, 'scorm12.min.js')):
        skip('scorm-again is not installed in ' + DIST + ' (scripts/test.sh installs it)')
    try:
        import selenium  # noqa: F401
    except ImportError:
        skip('python3-selenium is not installed')
    for path in ('/usr/bin/chromium', '/usr/bin/chromedriver'):
        if not os.access(path, os.X_OK):
            skip(path + ' is not installed')
    WORK = os.path.abspath(args.work)
    if os.path.isdir(WORK):
        shutil.rmtree(WORK)
    os.makedirs(WORK)
    shutil.copy(os.path.join(DIST, 'scorm12.min.js'), WORK)
    # The browser asks the server for one; none is a 404 on the console.
    open(os.path.join(WORK, 'favicon.ico'), 'wb').close()
    with open(os.path.join(WORK, 'lms.html'), 'w', encoding='utf-8') as f:
        f.write(LMS_PAGE)
    os.makedirs(os.path.join(WORK, 'unit'))
    with open(os.path.join(WORK, 'unit', 'middle.html'), 'w', encoding='utf-8') as f:
        f.write(MIDDLE_PAGE)
    SERVER = serve(WORK)
    try:
        unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
    finally:
        SERVER.shutdown()


if __name__ == '__main__':
    main()
