#!/usr/bin/python3
"""The test page in a browser: how large it is, how soon it shows the lists, how fast it answers.

    web_page.py --runner kazweb.html --kazpack kazpack [--page kaz-istoriya.html]
                [--quiz quizzes/istoriya] [--loads 10] [--repeats 20] [--grade-runs 2]
                [--phrases 10000]

--runner is the page kazpack --web fills (the build's kazweb.html), --page the shipped test's
page; without it the shipped test (--quiz) is packed into one. Measured in headless Chromium
(Debian's chromium, chromium-driver, python3-selenium), the pages opened from their files:

 a. the shipped page's size, and its size gzipped (as a server or a mail would send it);
 b. from the start of the navigation to the lists drawn: the first rows in both phrase lists,
    then the frame that shows them; median of --loads loads, each in a fresh browser;
 c. on a generated test of --phrases phrases a side, each learner action from its input event
    to the frame that shows its answer; median of --repeats of each ("Оцени" can be pressed
    once a page, after 3 of every 4 phrases are paired: median of --grade-runs pages).

An action is timed inside the page: it is dispatched at the start of a frame (in a
requestAnimationFrame callback), so that the time holds no wait for the screen's next frame;
the frame drawn is taken as the first task after that frame's rendering (a MessageChannel
message posted from the callback). The renderer's own counters (Chromium's Performance
domain) split the time between script, style and layout; the rest is painting and the
browser's own work. Printed as a table, with the machine and its load.
"""
import argparse
import gzip
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'

AIM_PAGE_BYTES = 1.5 * 1024 * 1024
AIM_LOAD_MS = 1000
AIM_ACTION_MS = 16

# Put into the page before its own scripts: the moment both phrase lists hold rows, and the
# frame after.
WATCH_LISTS = r'''
(() => {
  const mark = {};
  window.kazBench = mark;
  const filled = () => document.querySelector('#slowo0 > [role="option"]') && document.querySelector('#slowo1 > [role="option"]');
  const seen = new MutationObserver(() => {
    if (mark.rows !== undefined || !filled()) return;
    mark.rows = performance.now();
    seen.disconnect();
    requestAnimationFrame(() => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => { mark.drawn = performance.now(); };
      channel.port2.postMessage(0);
    });
  });
  seen.observe(document, {childList: true, subtree: true});
})();
'''

# One action timed: `arguments[0]` finds the element, untimed. A frame is let pass first, so
# that nothing done before is still waiting to be drawn; then, at the start of the next frame
# (a requestAnimationFrame callback), the click is dispatched, and a message posted right after
# it is handled once that frame's rendering (style, layout, paint) is done. Answers [the
# handler's ms, ms to the frame drawn].
TIME_CLICK = r'''
const find = new Function(arguments[0]);
const done = arguments[arguments.length - 1];
const el = find();
if (!el) { done(null); return; }
requestAnimationFrame(() => requestAnimationFrame(() => {
  const t0 = performance.now();
  el.click();
  const t1 = performance.now();
  const channel = new MessageChannel();
  channel.port1.onmessage = () => done([t1 - t0, performance.now() - t0]);
  channel.port2.postMessage(0);
}));
'''


def machine():
    cpu = ''
    try:
        with open('/proc/cpuinfo') as f:
            cpu = next((l.split(':', 1)[1].strip() for l in f if l.startswith('model name')), '')
    except OSError:
        pass
    return '%d cores, %s' % (os.cpu_count(), cpu)


def load():
    with open('/proc/loadavg') as f:
        return ' '.join(f.read().split()[:3])


def browser():
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for a in ('--headless=new', '--no-sandbox', '--disable-gpu', '--window-size=1280,900'):
        options.add_argument(a)
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.set_script_timeout(600)
    return driver


def open_page(driver, page):
    driver.get('file://' + os.path.abspath(page))
    ready = driver.execute_async_script(
        'const done = arguments[0]; window.kaz.ready.then(done, (e) => done("error " + e));')
    if ready != 'ok':
        raise RuntimeError('%s did not start: %s' % (page, ready))


def pack(kazpack, runner, folder, page):
    subprocess.run([kazpack, '--web', '--runner', runner, '-o', page, folder], check=True,
                   stdout=subprocess.DEVNULL)


def generated_test(folder, n):
    """A test of n distinct phrases a side, one or two Cyrillic words each, in random order;
    explanations for questions 1 … 30."""
    rnd = random.Random(20260 + n)
    letters = 'абвгдежзийклмнопрстуфхцчшщъьюя'

    def side():
        out, seen = [], set()
        while len(out) < n:
            words = [''.join(rnd.choice(letters) for _ in range(rnd.randint(3, 10))) for _ in range(rnd.randint(1, 2))]
            phrase = ' '.join(w[0].upper() + w[1:] for w in words)
            if phrase not in seen:
                seen.add(phrase)
                out.append(phrase)
        return out

    lines = ['[parameters]', 'https://kaz.test Генериран тест', '11250', '120', '3135', '3360', '6575', '',
             '[instructions]', 'Свържете всяка фраза отляво с една фраза отдясно.', '',
             '[left]'] + side() + ['', '[right]'] + side() + ['', '[explanation switches]', 'Ima li obqsneniq']
    lines += ['1' if q <= 30 else '0' for q in range(1, n + 1)] + ['', '[picture flags]', 'flags']
    lines += ['0'] * n + ['']
    for q in range(1, min(30, n) + 1):
        lines += ['[explanation %d]' % q, 'Първи ред на обяснението.', 'Втори ред.', '']
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'test.kaz'), 'w', encoding='utf-8', newline='\r\n') as f:
        f.write('\n'.join(lines))


def measure_size(page):
    data = open(page, 'rb').read()
    return len(data), len(gzip.compress(data, 9))


def measure_load(page, loads):
    """ms from navigation start to the lists' rows, and to the frame that shows them."""
    rows, drawn = [], []
    for _ in range(loads):
        driver = browser()
        try:
            driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': WATCH_LISTS})
            open_page(driver, page)
            mark = driver.execute_async_script(r'''
                const done = arguments[0];
                const wait = () => window.kazBench.drawn !== undefined ? done(window.kazBench) : setTimeout(wait, 5);
                wait();''')
            rows.append(mark['rows'])
            drawn.append(mark['drawn'])
        finally:
            driver.quit()
    return rows, drawn


def find_row(list_index, row):
    # The list scrolled to the row (untimed), as the learner scrolls before clicking it.
    return 'return window.kaz.option(%d, %d);' % (list_index, row)


def find_button(i):
    return 'return document.getElementById("uprawl%d");' % i


# Where the renderer's main thread spent its time, from its counters (seconds, summed since
# the page's start): the scripts, style, layout.
PHASES = ('ScriptDuration', 'RecalcStyleDuration', 'LayoutDuration')


def phases(driver):
    metrics = {m['name']: m['value'] for m in driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']}
    return [metrics.get(name, 0.0) for name in PHASES]


def timed(driver, find):
    """[the handler's ms, ms to the frame drawn, ms of script, of style, of layout]."""
    before = phases(driver)
    result = driver.execute_async_script(TIME_CLICK, find)
    if result is None:
        raise RuntimeError('nothing to click: ' + find)
    after = phases(driver)
    return result + [(a - b) * 1000 for a, b in zip(after, before)]


def click(driver, find):
    """An action done untimed, to get to the state the timed one needs."""
    driver.execute_script('const el = (new Function(arguments[0]))(); if (el) el.click();', find)


def count(driver, list_index):
    return driver.execute_script('return window.kaz.rows(%d).length' % list_index)


def selected(driver, list_index):
    return driver.execute_script('return window.kaz.selected(%d)' % list_index)


def enabled(driver, i):
    return driver.execute_script('return !document.getElementById("uprawl%d").disabled' % i)


# Pairs the first rows until "Оцени" is enabled, with the page's own clicks, in batches so
# that no single script call runs long.
PAIR_UNTIL_GRADING = r'''
const done = arguments[0];
const $ = (id) => document.getElementById(id);
const step = () => {
  for (let k = 0; k < 200; ++k) {
    if (!$('uprawl2').disabled || !window.kaz.rows(0).length || !window.kaz.rows(1).length) { done(window.kaz.rows(2).length); return; }
    window.kaz.option(0, 0).click();
    window.kaz.option(1, 0).click();
    $('uprawl0').click();
  }
  setTimeout(step, 0);
};
step();
'''


def measure_actions(page, repeats, grade_runs):
    rnd = random.Random(1)
    times = {}
    driver = browser()
    try:
        driver.execute_cdp_cmd('Performance.enable', {})
        open_page(driver, page)
        for side, name in ((0, 'select a left row'), (1, 'select a right row')):
            out = times[name] = []
            for _ in range(repeats):
                n = count(driver, side)
                row = rnd.randrange(n)
                while row == selected(driver, side):
                    row = rnd.randrange(n)
                out.append(timed(driver, find_row(side, row)))
        out = times['"Избрах" (a pair made)'] = []
        for _ in range(repeats):
            click(driver, find_row(0, rnd.randrange(count(driver, 0))))
            click(driver, find_row(1, rnd.randrange(count(driver, 1))))
            out.append(timed(driver, find_button(0)))
        out = times['"Върни" on a pair'] = []
        for _ in range(repeats):
            click(driver, find_row(2, rnd.randrange(count(driver, 2))))
            out.append(timed(driver, find_button(1)))
        grade = times['"Оцени"'] = []
        explain = times['"Обясни", walking the pairs'] = []
        for run in range(grade_runs):
            if run:
                open_page(driver, page)
            pairs = driver.execute_async_script(PAIR_UNTIL_GRADING)
            if not enabled(driver, 2):
                raise RuntimeError('"Оцени" stayed disabled after %d pairs' % pairs)
            grade.append(timed(driver, find_button(2)))
            if run == 0:
                for _ in range(repeats):
                    explain.append(timed(driver, find_button(3)))
    finally:
        driver.quit()
    return times


def median(values):
    return statistics.median(values) if values else float('nan')


def mark(value, aim):
    return '' if value <= aim else '  ABOVE THE AIM of %s' % aim


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--runner', default=os.environ.get('KAZ_WEB_RUNNER'),
                        help='the page kazpack --web fills (default: $KAZ_WEB_RUNNER)')
    parser.add_argument('--kazpack', default=os.environ.get('KAZPACK'), help='default: $KAZPACK')
    parser.add_argument('--page', default=os.environ.get('KAZ_WEB_PAGE'),
                        help="the shipped test's page (default: $KAZ_WEB_PAGE, else --quiz packed)")
    parser.add_argument('--quiz', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'quizzes', 'istoriya'))
    parser.add_argument('--loads', type=int, default=10)
    parser.add_argument('--repeats', type=int, default=20)
    parser.add_argument('--grade-runs', type=int, default=2)
    parser.add_argument('--phrases', type=int, default=10000)
    args = parser.parse_args()

    missing = [what for what, path in (('the test page to fill (--runner, KAZ_WEB_RUNNER)', args.runner),
                                       ('kazpack (--kazpack, KAZPACK)', args.kazpack),
                                       ('chromium', CHROMIUM), ('chromedriver', CHROMEDRIVER))
               if not path or not os.path.isfile(path)]
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append('python3-selenium')
    if missing:
        print('The test page is not measured; missing: ' + ', '.join(missing))
        return 0

    work = tempfile.mkdtemp(prefix='kaz-web-bench-')
    try:
        page = args.page
        if not page:
            page = os.path.join(work, 'kaz-istoriya.html')
            pack(args.kazpack, args.runner, args.quiz, page)
        big_folder = os.path.join(work, 'generated')
        generated_test(big_folder, args.phrases)
        big = os.path.join(work, 'generated.html')
        pack(args.kazpack, args.runner, big_folder, big)

        print('Machine: ' + machine())
        print('Load before: ' + load())
        size, zipped = measure_size(page)
        rows, drawn = measure_load(page, args.loads)
        started = time.monotonic()
        actions = measure_actions(big, args.repeats, args.grade_runs)
        print('Load after: %s (the actions took %.0f s)' % (load(), time.monotonic() - started))
        print()
        print('| what | measured | aim |')
        print('|---|---|---|')
        print('| %s | %.2f MB (%d bytes)%s | 1.5 MB |' % (os.path.basename(page), size / 1048576, size, mark(size, AIM_PAGE_BYTES)))
        print('| the same, gzipped | %.2f MB (%d bytes) | |' % (zipped / 1048576, zipped))
        print('| navigation start to the lists\' rows, median of %d (min … max) | %.0f ms (%.0f … %.0f) | |'
              % (len(rows), median(rows), min(rows), max(rows)))
        print('| navigation start to the lists drawn, median of %d (min … max) | %.0f ms (%.0f … %.0f)%s | 1 s |'
              % (len(drawn), median(drawn), min(drawn), max(drawn), mark(median(drawn), AIM_LOAD_MS)))
        print()
        print('%d phrases a side (%.2f MB page):' % (args.phrases, os.path.getsize(big) / 1048576))
        print()
        print('| action | runs | handler, median ms | to the frame drawn, median ms (max) | of it script / style / layout, median ms | aim |')
        print('|---|---|---|---|---|---|')
        for name, values in actions.items():
            if not values:
                continue
            handler = median([v[0] for v in values])
            frame = median([v[1] for v in values])
            split = ' / '.join('%.1f' % median([v[k] for v in values]) for k in (2, 3, 4))
            print('| %s | %d | %.1f | %.1f (%.1f)%s | %s | 16 ms |'
                  % (name, len(values), handler, frame, max(v[1] for v in values), mark(frame, AIM_ACTION_MS), split))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())
