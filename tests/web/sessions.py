#!/usr/bin/python3
"""The same learner sessions on the desktop's model and in a test page, compared.

    sessions.py --sessions-program web_sessions --kazpack kazpack --runner kazweb.html
                --work DIR [--sessions 20] [--actions 40] [--seed 1] [--browser firefox]

web_sessions (tests/web_sessions.cpp) writes random tests and the sessions it played on the
test window's model, with what the learner saw after each action. Each test is packed into a
page with `kazpack --web`, opened from its file in headless Chromium, and each action is done
as a learner does it: a click on the row, the button, the thumbnail. After every action the
page's lists (rows, selected row), counter, text box, verdict, buttons and caption must be
the desktop's. A test of phrases that mix case, scripts, accents, digits and marks must be
listed in the desktop's order; the pairs the page orders otherwise are named.

Needs Debian's python3-selenium, chromium and chromium-driver; without them it says KAZ-SKIP.
With --browser firefox the same is played in Debian's firefox-esr (tests/web/marionette.py),
and without firefox-esr it says KAZ-SKIP.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import time

CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'

# Everything the learner sees that the comparison covers, read in one go. A list draws only
# the rows in view: all its rows come from window.kaz.rows, the selected ones from the drawn
# options (their places among all rows).
READ_STATE = r'''
const $ = (id) => document.getElementById(id);
const drawn = (i) => Array.from($('slowo' + i).querySelectorAll(':scope > [role="option"]'));
const verdict = $('prowerka1');
return {
  lists: [0, 1, 2].map((i) => window.kaz.rows(i)),
  selected: [0, 1, 2].map((i) => drawn(i).flatMap((r) => r.getAttribute('aria-selected') === 'true'
    ? [Number(r.getAttribute('aria-posinset')) - 1] : [])),
  counter: $('ndapis').textContent,
  text: $('prowerka0').value,
  verdict: verdict.textContent,
  verdictShown: !verdict.hidden && getComputedStyle(verdict).display !== 'none',
  buttons: [0, 1, 2, 3].map((b) => !$('uprawl' + b).disabled),
  caption: $('caption').textContent,
  title: document.title,
};
'''

# The element a learner clicks for an action, scrolled into view; null for a row no longer listed.
FIND_TARGET = r'''
const a = arguments[0];
let el;
if (a.select !== undefined) el = window.kaz.option(a.select, a.row);
else if (a.press !== undefined) el = document.getElementById('uprawl' + a.press);
else el = document.getElementById('grafika0');
if (el) el.scrollIntoView({block: 'nearest', inline: 'nearest'});
return el;
'''


def skip(why):
    print('KAZ-SKIP: ' + why)
    sys.exit(0)


def browser(name):
    if name == 'firefox':
        sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
        import marionette
        if not os.access(marionette.FIREFOX, os.X_OK):
            skip(marionette.FIREFOX + ' is not installed')
        return marionette.Firefox(1280, 900)
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        skip('python3-selenium is not installed')
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.access(path, os.X_OK):
            skip(path + ' is not installed')
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for a in ('--headless=new', '--no-sandbox', '--disable-gpu', '--window-size=1280,900'):
        options.add_argument(a)
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def describe(action):
    if 'select' in action:
        return 'select row %d of slowo%d' % (action['row'], action['select'])
    if 'press' in action:
        return 'press uprawl%d' % action['press']
    return 'click the thumbnail'


def differences(expected, seen):
    """What the page shows otherwise than the desktop's model, one line a part."""
    out = []
    for i in range(3):
        want, got = expected['lists'][i], seen['lists'][i]
        if want != got:
            k = next((k for k in range(min(len(want), len(got))) if want[k] != got[k]), min(len(want), len(got)))
            out.append('slowo%d: %d rows, the desktop %d; first difference at row %d: %r, the desktop %r'
                       % (i, len(got), len(want), k, got[k] if k < len(got) else None,
                          want[k] if k < len(want) else None))
        want_sel = [expected['selected'][i]] if expected['selected'][i] >= 0 else []
        if seen['selected'][i] != want_sel:
            out.append('slowo%d: rows %s selected, the desktop %s' % (i, seen['selected'][i], want_sel))
    for key in ('counter', 'text', 'verdict', 'verdictShown', 'buttons', 'caption'):
        if seen[key] != expected[key]:
            out.append('%s: %r, the desktop %r' % (key, seen[key], expected[key]))
    if seen['title'] != expected['caption']:
        out.append('title: %r, the desktop caption %r' % (seen['title'], expected['caption']))
    return out


def pack(kazpack, runner, folder, page):
    run = subprocess.run([kazpack, '--web', '--runner', runner, '-o', page, folder],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if run.returncode != 0 or not os.path.isfile(page):
        raise RuntimeError('kazpack --web %s failed (%d):\n%s' % (folder, run.returncode, run.stdout))


def open_page(driver, page):
    driver.get('file://' + os.path.abspath(page))
    ready = driver.execute_async_script(
        'const done = arguments[0]; window.kaz.ready.then(done, (e) => done("error " + e));')
    if ready != 'ok':
        raise RuntimeError('%s: the page did not start: %s' % (page, ready))


def misordered(desktop, page):
    """The pairs of phrases the page lists in the other order than the desktop."""
    where = {text: k for k, text in enumerate(page)}
    pairs = []
    for a in range(len(desktop)):
        for b in range(a + 1, len(desktop)):
            x, y = desktop[a], desktop[b]
            if x in where and y in where and where[x] > where[y]:
                pairs.append((x, y))
    return pairs


def check_order(driver, order, page):
    open_page(driver, page)
    seen = driver.execute_script(READ_STATE)
    faults = []
    for i in range(2):
        want, got = order['state']['lists'][i], seen['lists'][i]
        if sorted(want) != sorted(got):
            faults.append('slowo%d lists other phrases: %r, the desktop %r' % (i, got, want))
            continue
        for x, y in misordered(want, got):
            collated = driver.execute_script(
                'return new Intl.Collator("bg-BG", {sensitivity: "accent"}).compare(arguments[0], arguments[1])', x, y)
            faults.append('slowo%d: the desktop lists %r before %r, the page after it '
                          '(Intl.Collator("bg-BG") compares them as %d)' % (i, x, y, collated))
    return faults


def play(driver, session, page):
    """The first difference of the session, or None."""
    open_page(driver, page)
    seen = driver.execute_script(READ_STATE)
    diff = differences(session['start'], seen)
    if diff:
        return 'at the start:\n    ' + '\n    '.join(diff)
    done = []
    for n, step in enumerate(session['steps']):
        action = step['action']
        done.append(describe(action))
        target = driver.execute_script(FIND_TARGET, action)
        if target is not None:
            target.click()
        seen = driver.execute_script(READ_STATE)
        diff = differences(step['state'], seen)
        if diff:
            return 'after action %d (%s):\n    %s\n  actions: %s' % (n, describe(action), '\n    '.join(diff),
                                                                    '; '.join(done))
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--sessions-program', required=True)
    parser.add_argument('--kazpack', required=True)
    parser.add_argument('--runner', required=True, help='the page kazpack --web fills (kazweb.html)')
    parser.add_argument('--work', required=True, help='a folder for the tests and pages, emptied first')
    parser.add_argument('--sessions', type=int, default=20)
    parser.add_argument('--actions', type=int, default=40)
    parser.add_argument('--seed', type=int, default=1)
    parser.add_argument('--browser', choices=('chromium', 'firefox'), default='chromium')
    args = parser.parse_args()
    if not os.path.isfile(args.runner):
        skip(args.runner + ' is missing: this build puts no test page together')

    driver = browser(args.browser)
    started = time.monotonic()
    out = os.path.abspath(args.work)
    # Emptied only when it is a folder of an earlier run, or empty.
    if os.path.lexists(out):
        if not os.path.isdir(out) or (os.listdir(out) and not os.path.isfile(os.path.join(out, 'sessions.json'))):
            sys.exit('%s is not a folder of an earlier run; give another --work' % out)
        shutil.rmtree(out)
    os.makedirs(out)
    subprocess.run([args.sessions_program, out, '--sessions', str(args.sessions), '--seed', str(args.seed),
                    '--actions', str(args.actions)], check=True)
    with open(os.path.join(out, 'sessions.json'), encoding='utf-8') as f:
        recorded = json.load(f)

    failures = []
    try:
        order_page = os.path.join(out, 'order.html')
        pack(args.kazpack, args.runner, recorded['order']['folder'], order_page)
        for fault in check_order(driver, recorded['order'], order_page):
            failures.append('order: ' + fault)
        actions = 0
        for session in recorded['sessions']:
            page = os.path.join(out, 'seed-%s.html' % session['seed'])
            pack(args.kazpack, args.runner, session['folder'], page)
            fault = play(driver, session, page)
            actions += len(session['steps'])
            if fault:
                failures.append('seed %s %s' % (session['seed'], fault))
    finally:
        driver.quit()
    print('%s: %d sessions from seed %d, %d actions, %.1f s'
          % (args.browser, len(recorded['sessions']), args.seed, actions, time.monotonic() - started))
    for f in failures:
        print('FAIL ' + f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
